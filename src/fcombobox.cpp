#include "fcombobox.h"

#include "configuration.h"
#include "dashboardsupport.h"
#include "ui_fcombobox.h"

FComboBox::FComboBox(QWidget *parent)
    : QWidget(parent), ui(new Ui::FComboBox)
{
    initDashboardImages();
    ui->setupUi(this);
    ui->pBtn_Up->setEnabled(false);
    ui->pBtn_Down->setEnabled(false);
    connect(Configuration::instance(), &Configuration::updateLanguage, this, &FComboBox::onUpdateLanguage);
}

FComboBox::~FComboBox()
{
    delete ui;
}

void FComboBox::addItem(const QString &text, const QVariant &value)
{
    items.append({text, value});
    showCurrent();
}

QVariant FComboBox::itemData(int index, int role) const
{
    Q_UNUSED(role)
    if (index < 0 || index >= items.size())
        return QVariant();
    return items.at(index).value;
}

void FComboBox::setCurrentIndex(int index)
{
    if (index < 0 || index >= items.size())
        return;
    m_currentIndex = index;
    showCurrent();
    emit activated(index);
}

void FComboBox::on_pBtn_Down_clicked()
{
    if (m_currentIndex >= items.size() - 1)
        return;
    ++m_currentIndex;
    qCDebug(lcDashboard) << "rate selector index" << m_currentIndex << "of" << items.size();
    showCurrent();
    emit activated(m_currentIndex);
}

void FComboBox::on_pBtn_Up_clicked()
{
    if (m_currentIndex <= 0)
        return;
    --m_currentIndex;
    showCurrent();
    emit activated(m_currentIndex);
}

void FComboBox::onUpdateLanguage()
{
    ui->retranslateUi(this);
    showCurrent();
    emit activated(m_currentIndex);
}

// The arrows follow the index wherever it came from, so an end is never
// offered as a step that does nothing.
void FComboBox::showCurrent()
{
    if (m_currentIndex < items.size())
        ui->lbl_Text->setText(items.at(m_currentIndex).text);
    ui->pBtn_Up->setEnabled(m_currentIndex > 0);
    ui->pBtn_Down->setEnabled(m_currentIndex < items.size() - 1);
}
