#pragma once

#include <QPointer>
#include <QVariant>
#include <QWidget>

// Hosts a component control created at run time by its class identifier,
// the way an ActiveX container does: the component library is loaded from
// beside the program, its factory makes the control, and the container
// embeds it and talks to it only by property, method and signal names.
// Where the COM container library exists the generated wrappers derive
// from QAxWidget instead, with the same calls.
class AxWidget : public QWidget
{
    Q_OBJECT
public:
    explicit AxWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~AxWidget() override;

    // Creates the control; false (and no control) for an unknown class or
    // when the component library cannot be loaded.
    bool setControl(const QString &classId);
    QString control() const { return classId; }
    bool isNull() const { return controlObject.isNull(); }
    void clear();

    QVariant controlProperty(const char *name) const;
    bool setControlProperty(const char *name, const QVariant &value);
    // Calls a method by its signature, "play()" or "setSomething(int)".
    QVariant dynamicCall(const char *signature, const QVariant &argument = QVariant());

    // The embedded control, for code that must look at it as a widget.
    QWidget *controlWidget() const { return controlObject.data(); }

    // Folder the component library is loaded from.
    static QString componentDirectory();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void connectControlSignals();

    QPointer<QWidget> controlObject;
    QString classId;
};
