#include "settings/settings_pages.h"

#include "base/shown_text.h"
#include "document/document.h"
#include "editing/vfo_grid.h"
#include "settings/settings_binder.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <initializer_list>

namespace hxv5 {

namespace {

using Control = SettingsModel::Control;

struct Option
{
    int index;
    const char *caption;
};

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

QCheckBox *makeCheck(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QCheckBox(caption, parent), name);
}

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QGroupBox(caption, parent), name);
}

// The bands' captions are the VFO table's row labels.
QString optionCaption(SettingsModel::Control control, int index)
{
    return shownText(control == SettingsModel::Control::Band ? kTableTexts : kSettingsTexts,
                     SettingsModel::optionCaption(control, index));
}

// The buttons of a control array, created in the order given (their order on screen) and added
// to the layout when there is one; the group is owned by the page, which finds it by name.
QButtonGroup *makeOptions(QWidget *page, QWidget *parent, QBoxLayout *layout, const char *name,
                          SettingsModel::Control control, std::initializer_list<int> order)
{
    auto *group = named(new QButtonGroup(page), name);
    for (int index : order) {
        auto *button = new QRadioButton(optionCaption(control, index), parent);
        button->setObjectName(QLatin1String(name) + QLatin1Char('_') + QString::number(index));
        group->addButton(button, index);
        if (layout)
            layout->addWidget(button);
    }
    return group;
}

// A slider with the label that shows its value, side by side.
QSlider *makeSlider(QWidget *parent, QBoxLayout *layout, const char *name, int maximum,
                    int tickInterval, QLabel **label, const char *labelName)
{
    auto *slider = named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(0, maximum);
    slider->setPageStep(5);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(tickInterval);
    *label = named(new QLabel(QStringLiteral("0"), parent), labelName);
    (*label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (*label)->setMinimumWidth((*label)->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    layout->addWidget(slider, 1);
    layout->addWidget(*label);
    return slider;
}

} // namespace

SettingsPage1::SettingsPage1(Document &document, QWidget *parent)
    : QWidget(parent), m_binder(new SettingsBinder(document, this))
{
    setObjectName(QStringLiteral("SettingsPage1"));
    setWindowTitle(tr("Settings 1"));
    SettingsBinder &bind = *m_binder;

    auto *page = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    page->addLayout(top);

    auto *buttons = new QVBoxLayout;
    top->addLayout(buttons);
    m_writeButton = makeButton(this, "cmbTxData1", tr("Write Settings"));
    m_readButton = makeButton(this, "cmbRxData1", tr("Read Settings"));
    buttons->addWidget(m_writeButton);
    buttons->addWidget(m_readButton);
    buttons->addSpacing(8);
    auto *txEx = makeCheck(this, "chkTxEx", tr("TX Extension"));
    auto *autoProg = makeCheck(this, "chkAutoProg", tr("Auto Program"));
    auto *autoStep = makeCheck(this, "chkAutoStep", tr("Auto Step"));
    for (QCheckBox *box : {txEx, autoProg, autoStep}) {
        buttons->addWidget(box);
        bind.addSettingControl(box);
    }
    buttons->addStretch();
    bind.bindCheck(txEx, Control::TxExtension, &SettingsModel::txExtension,
                   &SettingsModel::setTxExtension);
    bind.bindCheck(autoProg, Control::AutoProgram, &SettingsModel::autoProgram,
                   &SettingsModel::setAutoProgram);
    bind.bindCheck(autoStep, Control::AutoStep, &SettingsModel::autoStep,
                   &SettingsModel::setAutoStep);

    auto *frame5 = makeFrame(this, "Frame5", tr("Auto Power Off"));
    auto *apoLayout = new QVBoxLayout(frame5);
    bind.bindOptions(
        makeOptions(this, frame5, apoLayout, "opbAPO", Control::AutoPowerOff, {3, 2, 1, 0}),
        Control::AutoPowerOff, &SettingsModel::autoPowerOff, &SettingsModel::setAutoPowerOff);
    top->addWidget(frame5, 0, Qt::AlignTop);
    bind.addSettingControl(frame5);

    auto *flags = new QVBoxLayout;
    flags->setSpacing(2);
    top->addLayout(flags);
    // The boxes in their order on the panel, by function flag.
    for (const int index : {0, 1, 3, 2, 4, 5, 6, 7}) {
        auto *box = new QCheckBox(optionCaption(Control::FunctionFlag, index), this);
        box->setObjectName(QStringLiteral("chkFlg1_") + QString::number(index));
        bind.bindCheck(
            box, Control::FunctionFlag, index,
            [index](const SettingsModel &s) { return s.functionFlag(index); },
            [index](SettingsModel &s, bool on) { s.setFunctionFlag(index, on); });
        flags->addWidget(box);
        bind.addSettingControl(box);
        // "DoReMi" and "None" are laid out hidden: only a settings record sets them.
        if (index == 5 || index == 6)
            box->hide();
    }
    flags->addStretch();
    top->addStretch();

    auto *middle = new QHBoxLayout;
    page->addLayout(middle);

    auto *frame4 = makeFrame(this, "Frame4", tr("Model"));
    auto *models = new QGridLayout(frame4);
    QButtonGroup *model =
        makeOptions(this, frame4, nullptr, "opbModel", Control::Model, {0, 5, 4, 1, 2, 3});
    const int modelPlaces[6][2] = {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {0, 2}, {0, 1}};
    for (int index = 0; index < kModelCount; ++index) {
        QAbstractButton *button = model->button(index);
        models->addWidget(button, modelPlaces[index][0], modelPlaces[index][1]);
        // Only the upper row can be chosen; the others are reached through a settings record.
        if (!SettingsModel::modelOffered(index))
            button->hide();
    }
    bind.bindOptions(model, Control::Model, &SettingsModel::model, &SettingsModel::setModel);
    middle->addWidget(frame4);
    bind.addSettingControl(frame4);

    auto *frame3 = makeFrame(this, "Frame3", tr("Squelch"));
    auto *squelchLayout = new QHBoxLayout(frame3);
    QLabel *squelchLabel = nullptr;
    QSlider *squelch = makeSlider(frame3, squelchLayout, "Slider2", SettingsModel::kSquelchMax, 1,
                                  &squelchLabel, "lblSql");
    bind.bindSlider(squelch, squelchLabel, Control::Squelch, &SettingsModel::squelch,
                    &SettingsModel::setSquelch);
    middle->addWidget(frame3);
    bind.addSettingControl(frame3);

    auto *frame2 = makeFrame(this, "Frame2", tr("Volume"));
    auto *volumeLayout = new QVBoxLayout(frame2);
    auto *loVolume = makeCheck(frame2, "chkLoVolume", tr("Lo Volume"));
    volumeLayout->addWidget(loVolume);
    bind.bindCheck(loVolume, Control::LoVolume, &SettingsModel::loVolume,
                   &SettingsModel::setLoVolume);
    auto *volumeRow = new QHBoxLayout;
    volumeLayout->addLayout(volumeRow);
    QLabel *volumeLabel = nullptr;
    QSlider *volume = makeSlider(frame2, volumeRow, "Slider1", SettingsModel::kVolumeMax, 5,
                                 &volumeLabel, "lblVol");
    bind.bindSlider(volume, volumeLabel, Control::Volume, &SettingsModel::volume,
                    &SettingsModel::setVolume);
    middle->addWidget(frame2);
    bind.addSettingControl(frame2);
    middle->addStretch();

    m_vfoGrid = new VfoGrid(document, this);
    page->addWidget(m_vfoGrid, 0, Qt::AlignLeft);
    page->addStretch();
}

SettingsPage2::SettingsPage2(Document &document, QWidget *parent)
    : QWidget(parent), m_binder(new SettingsBinder(document, this))
{
    setObjectName(QStringLiteral("SettingsPage2"));
    setWindowTitle(tr("Settings2"));
    SettingsBinder &bind = *m_binder;

    auto *page = new QHBoxLayout(this);

    auto *frame8 = makeFrame(this, "Frame8", tr("Operating Mode"));
    auto *frame8Layout = new QHBoxLayout(frame8);
    auto *operating = new QGridLayout;
    frame8Layout->addLayout(operating);
    page->addWidget(frame8, 0, Qt::AlignTop);
    bind.addSettingControl(frame8);

    auto *frame10 = makeFrame(frame8, "Frame10", tr("Mode"));
    auto *priorityLayout = new QVBoxLayout(frame10);
    bind.bindOptions(
        makeOptions(this, frame10, priorityLayout, "opbPri0", Control::PriorityMode, {1, 0}),
        Control::PriorityMode, &SettingsModel::priorityMode, &SettingsModel::setPriorityMode);
    operating->addWidget(frame10, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);

    // The operating modes one per row, with what each works on beside it: the bug level beside
    // "Bug", the memory channel beside "Memory".
    QButtonGroup *opMode =
        makeOptions(this, frame8, nullptr, "opbOpMode", Control::OperatingMode, {3, 2, 1, 0});
    for (int index = 3; index >= 0; --index)
        operating->addWidget(opMode->button(index), 4 - index, 0);
    bind.bindOptions(opMode, Control::OperatingMode, &SettingsModel::operatingMode,
                     &SettingsModel::setOperatingMode);

    auto *frame6 = makeFrame(frame8, "Frame6", tr("Bug Sencitive Lebel"));
    auto *bugLayout = new QHBoxLayout(frame6);
    bugLayout->setSpacing(2);
    bind.bindOptions(
        makeOptions(this, frame6, bugLayout, "opbBug", Control::BugLevel, {0, 1, 2, 3, 4}),
        Control::BugLevel, &SettingsModel::bugLevel, &SettingsModel::setBugLevel);
    operating->addWidget(frame6, 2, 1);

    auto *memory = named(new QComboBox(frame8), "cbbMemory");
    memory->setAccessibleName(SettingsPage2::tr("Memory channel"));
    bind.bindList(memory, document.settings().memoryList(), Control::MemoryChannel,
                  &SettingsModel::memoryChannel, &SettingsModel::setMemoryChannel);
    operating->addWidget(memory, 3, 1, Qt::AlignLeft);

    auto *frame9 = makeFrame(frame8, "Frame9", tr("Band"));
    auto *bandLayout = new QVBoxLayout(frame9);
    QButtonGroup *band =
        makeOptions(this, frame9, bandLayout, "opbBand", Control::Band, {6, 5, 4, 3, 2, 1, 0});
    bind.bindOptions(band, Control::Band, &SettingsModel::band, &SettingsModel::setBand);
    operating->setRowStretch(5, 1);
    frame8Layout->addWidget(frame9, 0, Qt::AlignTop);

    auto *side = new QVBoxLayout;
    page->addLayout(side);
    m_readButton = makeButton(this, "cmbRxData2", tr("Read Settings"));
    m_writeButton = makeButton(this, "cmbTxData2", tr("Write Settings"));
    side->addWidget(m_readButton);
    side->addWidget(m_writeButton);

    auto *frame12 = makeFrame(this, "Frame12", tr("Tone Burst"));
    auto *burstLayout = new QVBoxLayout(frame12);
    bind.bindOptions(
        makeOptions(this, frame12, burstLayout, "opbBurst", Control::ToneBurst, {3, 2, 1, 0}),
        Control::ToneBurst, &SettingsModel::toneBurst, &SettingsModel::setToneBurst);
    side->addWidget(frame12);
    bind.addSettingControl(frame12);

    auto *frame11 = makeFrame(this, "Frame11", tr("Scan"));
    auto *scanLayout = new QVBoxLayout(frame11);
    auto *scanOn = makeCheck(frame11, "chkScan", tr("Scan on"));
    scanOn->hide(); // only a settings record sets it
    scanLayout->addWidget(scanOn);
    bind.bindCheck(scanOn, Control::ScanOn, &SettingsModel::scanOn, &SettingsModel::setScanOn);
    auto *scanModeRow = new QHBoxLayout;
    scanLayout->addLayout(scanModeRow);
    auto *scanMode = named(new QComboBox(frame11), "cbbScanMode");
    scanMode->setAccessibleName(SettingsPage2::tr("Scan mode"));
    bind.bindList(scanMode, document.settings().scanModeList(), Control::ScanMode,
                  &SettingsModel::scanMode, &SettingsModel::setScanMode);
    auto *frame7 = makeFrame(frame11, "Frame7", tr("Scan Resume"));
    auto *resumeLayout = new QVBoxLayout(frame7);
    bind.bindOptions(
        makeOptions(this, frame7, resumeLayout, "opbScanMode", Control::ScanResume, {0, 1}),
        Control::ScanResume, &SettingsModel::scanResume, &SettingsModel::setScanResume);
    auto *modeLabel = named(new QLabel(tr("Mode:"), frame11), "Label1");
    modeLabel->setBuddy(scanMode);
    scanModeRow->addWidget(modeLabel);
    scanModeRow->addWidget(scanMode, 1);
    scanLayout->addWidget(frame7);
    side->addWidget(frame11);
    bind.addSettingControl(frame11);
    side->addStretch();
    page->addStretch();

    bind.followAvailability([band, frame6, frame12, opMode](const SettingsModel &s) {
        for (int index = 0; index < SettingsModel::kBandCount; ++index)
            band->button(index)->setEnabled(s.bandEnabled(index));
        frame12->setVisible(s.toneBurstVisible());
        frame6->setVisible(s.bugLevelVisible());
        opMode->button(2)->setVisible(s.bugModeVisible());
    });
}

} // namespace hxv5
