#include "document/document.h"
#include "editing/vfo_grid.h"
#include "settings/settings_pages.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <memory>

using namespace hxv5;

namespace {

// Caption of a button, frame or label.
QString caption(const QWidget *widget)
{
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    return {};
}

} // namespace

class TstViewsSettingsPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void tabOrderFollowsTheLayout_data();
    void tabOrderFollowsTheLayout();
    void lists();
    void choosingHxV5AReshapesThePanel();
    void choosingHxV5DAfterwardsEnablesAllBands();
    void bugModeFallsBackToVfo();
    void volumeSliderShowsItsValueAndMarksChanged();
    void userChangesReachTheModel_data();
    void userChangesReachTheModel();
    void decodingARecordUpdatesTheControls();
    void decodedVariantKeepsPreviousBands_data();
    void decodedVariantKeepsPreviousBands();
    void modelChangesDoNotEcho();
    void busyDocumentRefusesChanges();
    void vfoGridRedrawsForTheVariant();

private:
    QWidget *find(const QString &name) const;
    template <typename W> W *find(const QString &name) const
    {
        return qobject_cast<W *>(find(name));
    }
    void click(const QString &name) const { find<QAbstractButton>(name)->click(); }
    bool checked(const QString &name) const { return find<QAbstractButton>(name)->isChecked(); }
    bool shown(const QString &name) const;

    std::unique_ptr<Document> m_document;
    std::unique_ptr<SettingsPage1> m_page1;
    std::unique_ptr<SettingsPage2> m_page2;
};

void TstViewsSettingsPages::init()
{
    m_document = std::make_unique<Document>();
    m_page1 = std::make_unique<SettingsPage1>(*m_document);
    m_page2 = std::make_unique<SettingsPage2>(*m_document);
}

void TstViewsSettingsPages::cleanup()
{
    m_page1.reset();
    m_page2.reset();
    m_document.reset();
}

QWidget *TstViewsSettingsPages::find(const QString &name) const
{
    QWidget *widget = m_page1->findChild<QWidget *>(name);
    if (!widget)
        widget = m_page2->findChild<QWidget *>(name);
    if (!widget)
        qWarning() << "no control named" << name;
    return widget;
}

bool TstViewsSettingsPages::shown(const QString &name) const
{
    QWidget *widget = find(name);
    return widget->isVisibleTo(widget->window());
}

void TstViewsSettingsPages::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("shown");

    auto row = [](const char *name, const char *kind, const char *caption, bool shown = true) {
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromLatin1(kind)
                            << QString::fromLatin1(caption) << shown;
    };
    // "Settings 1"
    row("cmbTxData1", "QPushButton", "Write Settings");
    row("cmbRxData1", "QPushButton", "Read Settings");
    row("chkTxEx", "QCheckBox", "TX Extension");
    row("chkAutoProg", "QCheckBox", "Auto Program");
    row("chkAutoStep", "QCheckBox", "Auto Step");
    row("Frame5", "QGroupBox", "Auto Power Off");
    row("opbAPO_3", "QRadioButton", "90");
    row("opbAPO_0", "QRadioButton", "Off");
    row("chkFlg1_0", "QCheckBox", "Keylock");
    row("chkFlg1_1", "QCheckBox", "Write Protect");
    row("chkFlg1_2", "QCheckBox", "Battery Save");
    row("chkFlg1_3", "QCheckBox", "Earphone Antenna");
    row("chkFlg1_4", "QCheckBox", "Beep");
    row("chkFlg1_5", "QCheckBox", "DoReMi", false);
    row("chkFlg1_6", "QCheckBox", "None", false);
    row("chkFlg1_7", "QCheckBox", "Bell");
    row("Frame4", "QGroupBox", "Model");
    row("opbModel_0", "QRadioButton", "HX-V5 D");
    row("opbModel_1", "QRadioButton", "V5 A PRO", false);
    row("opbModel_2", "QRadioButton", "V5 B PRO", false);
    row("opbModel_3", "QRadioButton", "V5 A K", false);
    row("opbModel_4", "QRadioButton", "HX-V5 B");
    row("opbModel_5", "QRadioButton", "HX-V5 A");
    row("Frame3", "QGroupBox", "Squelch");
    row("Slider2", "QSlider", "");
    row("lblSql", "QLabel", "3"); // the default record's squelch
    row("Frame2", "QGroupBox", "Volume");
    row("chkLoVolume", "QCheckBox", "Lo Volume");
    row("Slider1", "QSlider", "");
    row("lblVol", "QLabel", "10");
    row("MSFlexGrid2", "hxv5::VfoGrid", "");
    // "Settings2"
    row("Frame8", "QGroupBox", "Operating Mode");
    row("Frame10", "QGroupBox", "Mode");
    row("opbPri0_1", "QRadioButton", "Memory");
    row("opbPri0_0", "QRadioButton", "VFO");
    row("opbOpMode_3", "QRadioButton", "Priority");
    row("opbOpMode_2", "QRadioButton", "Bug");
    row("opbOpMode_1", "QRadioButton", "Memory");
    row("opbOpMode_0", "QRadioButton", "VFO");
    row("Frame6", "QGroupBox", "Bug Sencitive Lebel");
    row("opbBug_0", "QRadioButton", "1");
    row("opbBug_4", "QRadioButton", "5");
    row("cbbMemory", "QComboBox", "");
    row("Frame9", "QGroupBox", "Band");
    row("opbBand_6", "QRadioButton", "H-UHF");
    row("opbBand_3", "QRadioButton", "Air");
    row("opbBand_0", "QRadioButton", "AM");
    row("cmbRxData2", "QPushButton", "Read Settings");
    row("cmbTxData2", "QPushButton", "Write Settings");
    row("Frame12", "QGroupBox", "Tone Burst", false);
    row("opbBurst_3", "QRadioButton", "1450Hz", false);
    row("opbBurst_0", "QRadioButton", "1750Hz", false);
    row("Frame11", "QGroupBox", "Scan");
    row("chkScan", "QCheckBox", "Scan on", false);
    row("cbbScanMode", "QComboBox", "");
    row("Frame7", "QGroupBox", "Scan Resume");
    row("opbScanMode_0", "QRadioButton", "Busy Scan");
    row("opbScanMode_1", "QRadioButton", "Timer Scan");
    row("Label1", "QLabel", "Mode:");
}

void TstViewsSettingsPages::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(bool, shown);

    QWidget *widget = find(name);
    QVERIFY(widget);
    QVERIFY2(widget->inherits(kind.toLatin1().constData()), widget->metaObject()->className());
    QCOMPARE(::caption(widget), caption);
    QCOMPARE(this->shown(name), shown);

    // Each button of a control array sits in the group of the array's name, with its index as id.
    const qsizetype separator = name.lastIndexOf(QLatin1Char('_'));
    if (name.startsWith(QLatin1String("opb"))) {
        auto *group = widget->window()->findChild<QButtonGroup *>(name.left(separator));
        QVERIFY(group);
        QCOMPARE(group->id(qobject_cast<QAbstractButton *>(widget)),
                 name.mid(separator + 1).toInt());
    }
}

void TstViewsSettingsPages::tabOrderFollowsTheLayout_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("Settings 1") << 1
                                << QStringList{
                                       QStringLiteral("cmbTxData1"),  QStringLiteral("cmbRxData1"),
                                       QStringLiteral("chkTxEx"),     QStringLiteral("chkAutoProg"),
                                       QStringLiteral("chkAutoStep"), QStringLiteral("opbAPO_3"),
                                       QStringLiteral("chkFlg1_0"),   QStringLiteral("chkFlg1_1"),
                                       QStringLiteral("chkFlg1_3"),   QStringLiteral("chkFlg1_2"),
                                       QStringLiteral("chkFlg1_4"),   QStringLiteral("chkFlg1_7"),
                                       QStringLiteral("opbModel_0"),  QStringLiteral("Slider2"),
                                       QStringLiteral("chkLoVolume"), QStringLiteral("Slider1"),
                                       QStringLiteral("MSFlexGrid2")};
    QTest::newRow("Settings2") << 2
                               << QStringList{
                                      QStringLiteral("opbPri0_1"),    QStringLiteral("opbOpMode_3"),
                                      QStringLiteral("opbBug_0"),     QStringLiteral("cbbMemory"),
                                      QStringLiteral("opbBand_6"),    QStringLiteral("cmbRxData2"),
                                      QStringLiteral("cmbTxData2"),   QStringLiteral("cbbScanMode"),
                                      QStringLiteral("opbScanMode_0")};
}

void TstViewsSettingsPages::tabOrderFollowsTheLayout()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);

    QWidget *root = page == 1 ? static_cast<QWidget *>(m_page1.get()) : m_page2.get();
    QStringList seen;
    for (QWidget *w = root->nextInFocusChain(); w != root; w = w->nextInFocusChain()) {
        if (order.contains(w->objectName()) && !seen.contains(w->objectName()))
            seen.append(w->objectName());
    }
    QCOMPARE(seen, order);
}

void TstViewsSettingsPages::lists()
{
    auto *memory = find<QComboBox>(QStringLiteral("cbbMemory"));
    QCOMPARE(memory->count(), 213);
    QCOMPARE(memory->itemText(0), QStringLiteral("0"));
    QCOMPARE(memory->itemText(199), QStringLiteral("199"));
    QCOMPARE(memory->itemText(200), QStringLiteral("PS-0A"));
    QCOMPARE(memory->itemText(212), QStringLiteral("Priority"));
    auto *scan = find<QComboBox>(QStringLiteral("cbbScanMode"));
    QCOMPARE(scan->count(), 12);
    QCOMPARE(scan->itemText(0), QStringLiteral("VFO"));
    QCOMPARE(scan->itemText(11), QStringLiteral("PS-4B"));
}

void TstViewsSettingsPages::choosingHxV5AReshapesThePanel()
{
    click(QStringLiteral("opbBand_3")); // "Air"
    m_document->setChanged(false);

    click(QStringLiteral("opbModel_5"));

    QVERIFY(m_document->isChanged());
    QCOMPARE(m_document->settings().model(), 5);
    QVERIFY(checked(QStringLiteral("opbBand_4"))); // "VHF"
    QCOMPARE(m_document->settings().band(), 4);
    for (int band = 0; band < 7; ++band) {
        const bool enabled = band == 2 || band == 4 || band == 6;
        QCOMPARE(find(QStringLiteral("opbBand_%1").arg(band))->isEnabled(), enabled);
    }
    QVERIFY(shown(QStringLiteral("Frame12")));
    QVERIFY(!shown(QStringLiteral("Frame6")));
    QVERIFY(!shown(QStringLiteral("opbOpMode_2")));
}

void TstViewsSettingsPages::choosingHxV5DAfterwardsEnablesAllBands()
{
    click(QStringLiteral("opbBand_3"));
    click(QStringLiteral("opbModel_5"));
    click(QStringLiteral("opbModel_0"));

    for (int band = 0; band < 7; ++band)
        QVERIFY(find(QStringLiteral("opbBand_%1").arg(band))->isEnabled());
    QVERIFY(checked(QStringLiteral("opbBand_4")));
    QVERIFY(shown(QStringLiteral("opbOpMode_2")));
    QVERIFY(shown(QStringLiteral("Frame6")));
    QVERIFY(!shown(QStringLiteral("Frame12")));
}

void TstViewsSettingsPages::bugModeFallsBackToVfo()
{
    click(QStringLiteral("opbOpMode_2"));
    QCOMPARE(m_document->settings().operatingMode(), 2);
    click(QStringLiteral("opbModel_4"));
    QVERIFY(checked(QStringLiteral("opbOpMode_0")));
    QVERIFY(!checked(QStringLiteral("opbOpMode_2")));
    QCOMPARE(m_document->settings().operatingMode(), 0);
}

void TstViewsSettingsPages::volumeSliderShowsItsValueAndMarksChanged()
{
    m_document->setChanged(false);
    auto *slider = find<QSlider>(QStringLiteral("Slider1"));
    QCOMPARE(slider->maximum(), 30);
    slider->setFocus();
    while (slider->value() < 17)
        QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(find<QLabel>(QStringLiteral("lblVol"))->text(), QStringLiteral("17"));
    QCOMPARE(m_document->settings().volume(), 17);
    QVERIFY(m_document->isChanged());

    // The squelch slider covers the radio's whole range, 10 included.
    auto *squelch = find<QSlider>(QStringLiteral("Slider2"));
    QCOMPARE(squelch->maximum(), 10);
    squelch->setValue(10);
    QCOMPARE(find<QLabel>(QStringLiteral("lblSql"))->text(), QStringLiteral("10"));
    QCOMPARE(m_document->settings().squelch(), 10);
}

void TstViewsSettingsPages::userChangesReachTheModel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<SettingsModel::Control>("control");
    QTest::addColumn<int>("value"); // list entry or slider value; ignored for buttons
    QTest::addColumn<int>("expected");

    using C = SettingsModel::Control;
    QTest::newRow("TX extension") << QStringLiteral("chkTxEx") << C::TxExtension << 0 << 1;
    QTest::newRow("auto program") << QStringLiteral("chkAutoProg") << C::AutoProgram << 0 << 1;
    // The default record has "Auto Step" on.
    QTest::newRow("auto step") << QStringLiteral("chkAutoStep") << C::AutoStep << 0 << 0;
    QTest::newRow("auto power off") << QStringLiteral("opbAPO_1") << C::AutoPowerOff << 0 << 1;
    QTest::newRow("earphone antenna") << QStringLiteral("chkFlg1_3") << C::FunctionFlag << 0 << 1;
    QTest::newRow("squelch") << QStringLiteral("Slider2") << C::Squelch << 7 << 7;
    QTest::newRow("lo volume") << QStringLiteral("chkLoVolume") << C::LoVolume << 0 << 1;
    QTest::newRow("priority mode") << QStringLiteral("opbPri0_1") << C::PriorityMode << 0 << 1;
    QTest::newRow("priority") << QStringLiteral("opbOpMode_3") << C::OperatingMode << 0 << 3;
    QTest::newRow("bug level") << QStringLiteral("opbBug_4") << C::BugLevel << 0 << 4;
    QTest::newRow("memory channel")
        << QStringLiteral("cbbMemory") << C::MemoryChannel << 212 << 212;
    QTest::newRow("band") << QStringLiteral("opbBand_0") << C::Band << 0 << 0;
    QTest::newRow("tone burst") << QStringLiteral("opbBurst_2") << C::ToneBurst << 0 << 2;
    QTest::newRow("scan mode") << QStringLiteral("cbbScanMode") << C::ScanMode << 11 << 11;
    QTest::newRow("scan resume") << QStringLiteral("opbScanMode_1") << C::ScanResume << 0 << 1;
}

void TstViewsSettingsPages::userChangesReachTheModel()
{
    QFETCH(QString, name);
    QFETCH(SettingsModel::Control, control);
    QFETCH(int, value);
    QFETCH(int, expected);

    m_document->setChanged(false);
    QSignalSpy spy(&m_document->settings(), &SettingsModel::valueChanged);
    QWidget *widget = find(name);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->click();
    else if (auto *list = qobject_cast<QComboBox *>(widget))
        list->setCurrentIndex(value);
    else if (auto *slider = qobject_cast<QSlider *>(widget))
        slider->setValue(value);

    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<SettingsModel::Control>(), control);
    QVERIFY(m_document->isChanged());

    const SettingsModel &s = m_document->settings();
    const QHash<SettingsModel::Control, int> values = {
        {SettingsModel::Control::TxExtension, s.txExtension()},
        {SettingsModel::Control::AutoProgram, s.autoProgram()},
        {SettingsModel::Control::AutoStep, s.autoStep()},
        {SettingsModel::Control::AutoPowerOff, s.autoPowerOff()},
        {SettingsModel::Control::FunctionFlag, s.functionFlag(3)},
        {SettingsModel::Control::Squelch, s.squelch()},
        {SettingsModel::Control::LoVolume, s.loVolume()},
        {SettingsModel::Control::PriorityMode, s.priorityMode()},
        {SettingsModel::Control::OperatingMode, s.operatingMode()},
        {SettingsModel::Control::BugLevel, s.bugLevel()},
        {SettingsModel::Control::MemoryChannel, s.memoryChannel()},
        {SettingsModel::Control::Band, s.band()},
        {SettingsModel::Control::ToneBurst, s.toneBurst()},
        {SettingsModel::Control::ScanMode, s.scanMode()},
        {SettingsModel::Control::ScanResume, s.scanResume()},
    };
    QCOMPARE(values.value(control, -1), expected);
}

void TstViewsSettingsPages::decodingARecordUpdatesTheControls()
{
    // Variant "HX-V5 B", volume 12, squelch 10, band FM, channel 150, memory mode, scan mode
    // "PS-1B", power off 60, bug level 2, burst 1450Hz, Keylock, auto program, auto step and
    // TX extension.
    m_document->setSettingsRecord(QStringLiteral("A5040C0A0296010502010003"
                                                 "80A7FFFF"));
    m_document->DecodeSettingsRecord();

    QVERIFY(checked(QStringLiteral("opbModel_4")));
    QCOMPARE(find<QSlider>(QStringLiteral("Slider1"))->value(), 12);
    QCOMPARE(find<QLabel>(QStringLiteral("lblVol"))->text(), QStringLiteral("12"));
    QCOMPARE(find<QSlider>(QStringLiteral("Slider2"))->value(), 10);
    QCOMPARE(find<QLabel>(QStringLiteral("lblSql"))->text(), QStringLiteral("10"));
    QVERIFY(checked(QStringLiteral("opbBand_2")));
    QCOMPARE(find<QComboBox>(QStringLiteral("cbbMemory"))->currentIndex(), 150);
    QVERIFY(checked(QStringLiteral("opbOpMode_1")));
    QVERIFY(checked(QStringLiteral("opbPri0_1")));
    QCOMPARE(find<QComboBox>(QStringLiteral("cbbScanMode"))->currentIndex(), 5);
    QVERIFY(checked(QStringLiteral("opbAPO_2")));
    QVERIFY(checked(QStringLiteral("opbBug_1")));
    QVERIFY(checked(QStringLiteral("opbBurst_3")));
    QVERIFY(checked(QStringLiteral("chkFlg1_0")));
    QVERIFY(!checked(QStringLiteral("chkFlg1_1")));
    QVERIFY(checked(QStringLiteral("chkAutoProg")));
    QVERIFY(checked(QStringLiteral("opbScanMode_0")));
    QVERIFY(checked(QStringLiteral("chkAutoStep")));
    QVERIFY(!checked(QStringLiteral("chkLoVolume")));
    QVERIFY(checked(QStringLiteral("chkTxEx")));
    QVERIFY(shown(QStringLiteral("Frame12")));
    QVERIFY(!find(QStringLiteral("opbBand_0"))->isEnabled());
}

void TstViewsSettingsPages::decodedVariantKeepsPreviousBands_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("airEnabled");
    QTest::newRow("after HX-V5 A") << QStringLiteral("opbModel_5") << false;
    QTest::newRow("after HX-V5 D") << QStringLiteral("opbModel_0") << true;
}

void TstViewsSettingsPages::decodedVariantKeepsPreviousBands()
{
    QFETCH(QString, before);
    QFETCH(bool, airEnabled);

    click(before);
    m_document->setSettingsRecord(QStringLiteral("A5030A0304000000000200006C23FFFF")); // "V5 A K"
    m_document->DecodeSettingsRecord();

    QVERIFY(checked(QStringLiteral("opbModel_3")));
    QVERIFY(!shown(QStringLiteral("opbModel_3")));
    QCOMPARE(find(QStringLiteral("opbBand_3"))->isEnabled(), airEnabled);
    QCOMPARE(find(QStringLiteral("opbBand_5"))->isEnabled(), airEnabled);
    QVERIFY(!find(QStringLiteral("opbBand_0"))->isEnabled());
}

void TstViewsSettingsPages::modelChangesDoNotEcho()
{
    QSignalSpy spy(&m_document->settings(), &SettingsModel::valueChanged);
    m_document->settings().setVolume(5);
    m_document->settings().setBugLevel(3);
    m_document->settings().setFunctionFlag(7, true);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(find<QSlider>(QStringLiteral("Slider1"))->value(), 5);
    QCOMPARE(find<QLabel>(QStringLiteral("lblVol"))->text(), QStringLiteral("5"));
    QVERIFY(checked(QStringLiteral("opbBug_3")));
    QVERIFY(checked(QStringLiteral("chkFlg1_7")));
}

void TstViewsSettingsPages::busyDocumentRefusesChanges()
{
    click(QStringLiteral("opbModel_5"));
    m_document->setBusy(true);

    for (const char *name : {"chkTxEx", "Frame5", "chkFlg1_0", "Frame4", "Frame3", "Frame2",
                             "Frame8", "Frame11", "Frame12"})
        QVERIFY2(!find(QLatin1String(name))->isEnabled(), name);
    for (const char *name : {"opbModel_0", "Slider1", "cbbMemory", "opbBand_4", "cbbScanMode"})
        QVERIFY2(!find(QLatin1String(name))->isEnabled(), name);
    // The settings buttons are the transfer's business, not the panel's.
    for (const char *name : {"cmbRxData1", "cmbTxData1", "cmbRxData2", "cmbTxData2"})
        QVERIFY2(find(QLatin1String(name))->isEnabled(), name);

    const int modelBefore = m_document->settings().model();
    click(QStringLiteral("opbModel_0"));
    QCOMPARE(m_document->settings().model(), modelBefore);

    // A change from code still gets refused and undone.
    find<QComboBox>(QStringLiteral("cbbMemory"))->setCurrentIndex(20);
    QCOMPARE(m_document->settings().memoryChannel(), 0);
    QCOMPARE(find<QComboBox>(QStringLiteral("cbbMemory"))->currentIndex(), 0);

    // The transfer's own decoding still reaches the controls.
    m_document->settings().setVolume(21);
    QCOMPARE(find<QLabel>(QStringLiteral("lblVol"))->text(), QStringLiteral("21"));

    m_document->setBusy(false);
    QVERIFY(find(QStringLiteral("Frame8"))->isEnabled());
    QVERIFY(find(QStringLiteral("opbBand_4"))->isEnabled());
    // The bands the variant lacks stay off after the transfer.
    QVERIFY(!find(QStringLiteral("opbBand_3"))->isEnabled());
    QVERIFY(!find(QStringLiteral("opbBand_0"))->isEnabled());
}

void TstViewsSettingsPages::vfoGridRedrawsForTheVariant()
{
    QAbstractItemModel *vfo = m_page1->vfoGrid()->model();
    QCOMPARE(m_page1->vfoGrid()->objectName(), QStringLiteral("MSFlexGrid2"));
    click(QStringLiteral("opbModel_4"));
    QCOMPARE(vfo->index(0, 0).data().toString(), QStringLiteral("-"));
    QCOMPARE(vfo->index(3, 0).data().toString(), QStringLiteral("118.00000"));
    click(QStringLiteral("opbModel_5"));
    QCOMPARE(vfo->index(3, 0).data().toString(), QStringLiteral("-"));
    click(QStringLiteral("opbModel_0"));
    QCOMPARE(vfo->index(0, 0).data().toString(), QStringLiteral(".53100"));

    QCOMPARE(m_page1->readButton()->objectName(), QStringLiteral("cmbRxData1"));
    QCOMPARE(m_page1->writeButton()->objectName(), QStringLiteral("cmbTxData1"));
    QCOMPARE(m_page2->readButton()->objectName(), QStringLiteral("cmbRxData2"));
    QCOMPARE(m_page2->writeButton()->objectName(), QStringLiteral("cmbTxData2"));
}

QTEST_MAIN(TstViewsSettingsPages)
#include "tst_views_settings_pages.moc"
