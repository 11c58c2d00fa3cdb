#pragma once

#include <QWidget>

class QGroupBox;
class QProgressBar;
class QPushButton;
class QStackedLayout;
class QTabBar;

namespace hxv5 {

class ChannelGrid;
class ChannelListPanel;
class Document;
class FindBar;
class SettingsPage1;
class SettingsPage2;
class VfoGrid;

// The tabs by their position on the tab strip, as the window's commands count them.
inline constexpr int kTabSettings1 = 1;
inline constexpr int kTabSettings2 = 2;
inline constexpr int kTabMemory = 3;

// The main window's client area: the tab strip "TabStrip1" over the four panels "Frame1_0" to
// "Frame1_3" ("Settings 1", "Settings2", "Memorys" and the untabbed "Program Scan"), and the
// progress bar below them. The panels show the document; what a click on them does is wired by the
// window.
class MainPanels : public QWidget
{
    Q_OBJECT
public:
    explicit MainPanels(Document &document, QWidget *parent = nullptr);

    QTabBar *tabStrip() const { return m_tabStrip; }
    // The selected tab, 1..3.
    int selectedTab() const;
    // Brings the selected tab's panel to the front and enables it; the panels behind take neither
    // focus nor clicks.
    void showSelectedPanel();

    // The grids' column widths as the user left them, kept per user from one run to the next.
    void storeColumnWidths() const;
    void restoreColumnWidths();

    SettingsPage1 *settings1() const { return m_settings1; }
    SettingsPage2 *settings2() const { return m_settings2; }
    VfoGrid *vfoGrid() const;
    ChannelGrid *channelGrid() const { return m_channelGrid; }
    ChannelListPanel *listPanel() const { return m_listPanel; }
    // Over the channel grid, hidden until Ctrl+F.
    FindBar *findBar() const { return m_findBar; }
    QPushButton *cmbRxData() const { return m_cmbRxData; }
    QPushButton *cmbTxData() const { return m_cmbTxData; }
    QProgressBar *progressBar() const { return m_progressBar; }
    // "cmdStop": hidden unless a transfer runs that it can stop.
    QPushButton *stopButton() const { return m_stopButton; }

private:
    void addTabKeys();
    void orderMemoryTabStops();

    QTabBar *m_tabStrip = nullptr;
    QStackedLayout *m_panels = nullptr;
    QGroupBox *m_frames[4] = {};
    SettingsPage1 *m_settings1 = nullptr;
    SettingsPage2 *m_settings2 = nullptr;
    ChannelGrid *m_channelGrid = nullptr;
    ChannelListPanel *m_listPanel = nullptr;
    FindBar *m_findBar = nullptr;
    QPushButton *m_cmbRxData = nullptr;
    QPushButton *m_cmbTxData = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QPushButton *m_stopButton = nullptr;
};

} // namespace hxv5
