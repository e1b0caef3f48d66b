#pragma once

#include <QVariant>
#include <QVector>
#include <QWidget>

namespace Ui {
class FComboBox;
}

// A compact selector: one shown text and two stacked arrow buttons that step
// through a fixed list of (text, value) items. GUI thread only.
class FComboBox : public QWidget
{
    Q_OBJECT
public:
    explicit FComboBox(QWidget *parent = nullptr);
    ~FComboBox() override;

    void addItem(const QString &text, const QVariant &value);
    QVariant itemData(int index, int role = Qt::UserRole) const;
    void setCurrentIndex(int index);
    int currentIndex() const { return m_currentIndex; }
    int count() const { return items.size(); }

signals:
    void activated(int index);

private slots:
    void on_pBtn_Up_clicked();
    void on_pBtn_Down_clicked();
    void onUpdateLanguage();

private:
    struct Item {
        QString text;
        QVariant value;
    };

    void showCurrent();

    Ui::FComboBox *ui = nullptr;
    QVector<Item> items;
    int m_currentIndex = 0;
};
