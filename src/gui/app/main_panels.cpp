#include "app/main_panels.h"

#include "base/reference_tables.h"
#include "document/document.h"
#include "editing/channel_grid.h"
#include "editing/channel_list_panel.h"
#include "editing/find_bar.h"
#include "editing/vfo_grid.h"
#include "settings/settings_pages.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

namespace hxv5 {

MainPanels::MainPanels(Document &document, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(0);

    m_tabStrip = new QTabBar(this);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setExpanding(false);
    m_tabStrip->setDrawBase(true);
    for (const QString &caption : {tr("Settings 1"), tr("Settings 2"), tr("Memory")})
        m_tabStrip->addTab(caption);

    // The tab strip's client area: the four panels lie on top of each other there, the selected
    // tab's panel in front. All stay visible; the ones behind are disabled.
    auto *client = new QFrame(this);
    client->setObjectName(QStringLiteral("TabStrip1Client"));
    client->setFrameShape(QFrame::NoFrame);
    m_panels = new QStackedLayout(client);
    m_panels->setStackingMode(QStackedLayout::StackAll);
    m_panels->setContentsMargins(4, 4, 4, 4);

    const QString captions[4] = {tr("Settings 1"), tr("Settings2"), tr("Memorys"),
                                 tr("Program Scan")};
    for (int i = 0; i < 4; ++i) {
        auto *frame = new QGroupBox(captions[i], client);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        frame->setAutoFillBackground(true); // the panel in front hides those behind
        m_frames[i] = frame;
    }
    // "Program Scan" goes in first, so that it lies at the back: no tab ever brings it forward.
    m_panels->addWidget(m_frames[3]);
    for (int i = 0; i < 3; ++i)
        m_panels->addWidget(m_frames[i]);

    m_settings1 = new SettingsPage1(document, m_frames[0]);
    auto *page1 = new QVBoxLayout(m_frames[0]);
    page1->addWidget(m_settings1);

    m_settings2 = new SettingsPage2(document, m_frames[1]);
    auto *page2 = new QVBoxLayout(m_frames[1]);
    page2->addWidget(m_settings2);

    m_channelGrid = new ChannelGrid(document, m_frames[2]);
    m_listPanel = new ChannelListPanel(document, *m_channelGrid, m_frames[2]);
    m_cmbRxData = new QPushButton(tr("Read Memory"), m_frames[2]);
    m_cmbRxData->setObjectName(QStringLiteral("cmbRxData"));
    m_cmbTxData = new QPushButton(tr("Write Memory"), m_frames[2]);
    m_cmbTxData->setObjectName(QStringLiteral("cmbTxData"));
    auto *memoryButtons = new QHBoxLayout;
    memoryButtons->addWidget(m_cmbRxData);
    memoryButtons->addWidget(m_cmbTxData);
    memoryButtons->addStretch();
    m_findBar = new FindBar(*m_channelGrid, m_frames[2]);
    auto *page3 = new QVBoxLayout(m_frames[2]);
    page3->addWidget(m_findBar);
    // The channel grid takes what the window gives.
    page3->addWidget(m_channelGrid, 1);
    page3->addWidget(m_listPanel, 0, Qt::AlignLeft);
    page3->addSpacing(6);
    page3->addLayout(memoryButtons);
    orderMemoryTabStops();

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, kSlotCount - 1);
    m_progressBar->setValue(0);
    // Its place is kept while it is hidden, so that showing it for a transfer neither moves the
    // panels nor grows the window.
    QSizePolicy keepPlace = m_progressBar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_progressBar->setSizePolicy(keepPlace);
    m_progressBar->hide();
    m_stopButton = new QPushButton(tr("Stop"), this);
    m_stopButton->setObjectName(QStringLiteral("cmdStop"));
    m_stopButton->setAutoDefault(false);
    m_stopButton->setSizePolicy(keepPlace);
    m_stopButton->hide();
    auto *progress = new QHBoxLayout;
    progress->addWidget(m_progressBar, 1);
    progress->addWidget(m_stopButton);

    addTabKeys();

    layout->addWidget(m_tabStrip);
    layout->addWidget(client, 1);
    layout->addSpacing(2);
    layout->addLayout(progress);
}

// Ctrl+Tab and Ctrl+Shift+Tab go round the tabs from anywhere in the window, as in a tab widget;
// on the tab strip itself the arrow keys do.
void MainPanels::addTabKeys()
{
    const struct
    {
        const char *name;
        QKeySequence::StandardKey keys;
        int step;
    } moves[] = {{"TabStripNext", QKeySequence::NextChild, 1},
                 {"TabStripPrevious", QKeySequence::PreviousChild, -1}};
    for (const auto &move : moves) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(move.name));
        action->setShortcuts(move.keys);
        const int step = move.step;
        connect(action, &QAction::triggered, this, [this, step] {
            const int count = m_tabStrip->count();
            m_tabStrip->setCurrentIndex((m_tabStrip->currentIndex() + step + count) % count);
        });
        addAction(action);
    }
}

// Tab goes down the "Memorys" panel as it reads: the find bar (made after the grid it searches),
// the grid, the list buttons, then Read and Write Memory.
void MainPanels::orderMemoryTabStops()
{
    QList<QWidget *> stops;
    for (QWidget *part : std::initializer_list<QWidget *>{m_findBar, m_channelGrid, m_listPanel,
                                                          m_cmbRxData, m_cmbTxData}) {
        QList<QWidget *> widgets = part->findChildren<QWidget *>();
        widgets.prepend(part);
        for (QWidget *stop : std::as_const(widgets)) {
            if (stop->focusPolicy() & Qt::TabFocus)
                stops.append(stop);
        }
    }
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops.at(i - 1), stops.at(i));
}

int MainPanels::selectedTab() const
{
    return m_tabStrip->currentIndex() + 1;
}

void MainPanels::showSelectedPanel()
{
    const int front = selectedTab() - 1;
    // Panels behind take neither focus nor clicks; "Program Scan" is never touched.
    for (int i = 0; i < 3; ++i)
        m_frames[i]->setEnabled(i == front);
    m_panels->setCurrentWidget(m_frames[front]);
}

namespace {

const QString kColumnsGroup = QStringLiteral("Grids");
const QString kChannelColumnsKey = QStringLiteral("ChannelColumns");
const QString kVfoColumnsKey = QStringLiteral("VfoColumns");

} // namespace

void MainPanels::storeColumnWidths() const
{
    QSettings store;
    store.beginGroup(kColumnsGroup);
    const auto twips = [](const RowGrid &grid) {
        QVariantList list;
        for (int width : grid.dataColumnTwips())
            list.append(width);
        return list;
    };
    store.setValue(kChannelColumnsKey, twips(*m_channelGrid));
    store.setValue(kVfoColumnsKey, twips(*vfoGrid()));
}

void MainPanels::restoreColumnWidths()
{
    QSettings store;
    store.beginGroup(kColumnsGroup);
    const auto twips = [&store](const QString &key) {
        QList<int> list;
        for (const QVariant &width : store.value(key).toList()) {
            bool isNumber = false;
            const int twips = width.toInt(&isNumber);
            list.append(isNumber ? twips : -1);
        }
        return list;
    };
    m_channelGrid->setDataColumnTwips(twips(kChannelColumnsKey));
    vfoGrid()->setDataColumnTwips(twips(kVfoColumnsKey));
}

VfoGrid *MainPanels::vfoGrid() const
{
    return m_settings1->vfoGrid();
}

} // namespace hxv5
