#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QPushButton;

namespace hxv5 {

// The About box ("frmAbout"): the program's name and version, and a button that starts the
// system's system-information program. Its texts are not localised. OK hides it; the owner keeps
// it and shows the same window again next time.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    // The programs tried, in order, by the system-information button: the first found on the PATH
    // (or given with a path) is started.
    void setSystemInfoPrograms(const QStringList &programs) { m_systemInfoPrograms = programs; }
    const QStringList &systemInfoPrograms() const { return m_systemInfoPrograms; }

    // How the "not available" message reaches the user; a message box unless replaced (tests).
    using MessageHook = std::function<void(QWidget *parent, const QString &text)>;
    void setMessageHook(MessageHook hook) { m_showMessage = std::move(hook); }

    // The program that StartSysInfo would start, empty when there is none.
    QString findSystemInfoProgram() const;

public Q_SLOTS:
    void cmdOK_Click();
    void StartSysInfo();

private:
    QStringList m_systemInfoPrograms;
    MessageHook m_showMessage;
};

// The text shown when no system-information program can be started.
QString systemInfoUnavailableText();

} // namespace hxv5
