#include "editing/edit_dialog.h"

#include "base/reference_tables.h"
#include "base/shown_text.h"
#include "document/document.h"
#include "editing/field_limit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace hxv5 {

namespace {

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// A frame of option buttons laid out in `columns` columns; each button is named after its
// control array and index ("opbStep_5") and has its index as id in the group.
QButtonGroup *optionFrame(QGroupBox *frame, const QString &name, const QStringList &captions,
                          int columns)
{
    auto *group = new QButtonGroup(frame);
    group->setExclusive(false); // a group may show no selection, like an unknown stored value
    auto *grid = new QGridLayout(frame);
    const int perColumn = static_cast<int>((captions.size() + columns - 1) / columns);
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QRadioButton(captions.at(i), frame);
        button->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        group->addButton(button, i);
        grid->addWidget(button, i % perColumn, i / perColumn);
    }
    return group;
}

// Tab enters an option group at its selected option, or at its first enabled one while none is
// selected or the selected one is disabled: only that button takes the focus from the keyboard.
void tabToSelection(QButtonGroup *group)
{
    const QList<QAbstractButton *> buttons = group->buttons();
    const auto enabled = [](const QAbstractButton *b) { return b->isEnabled(); };
    auto stop = std::find_if(buttons.cbegin(), buttons.cend(), [&](const QAbstractButton *b) {
        return b->isChecked() && enabled(b);
    });
    if (stop == buttons.cend())
        stop = std::find_if(buttons.cbegin(), buttons.cend(), enabled);
    for (auto it = buttons.cbegin(); it != buttons.cend(); ++it)
        (*it)->setFocusPolicy(it == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void selectOption(QButtonGroup *group, int index)
{
    for (QAbstractButton *b : group->buttons())
        b->setChecked(group->id(b) == index);
    tabToSelection(group);
}

// An arrow key on an option button selects the next (Down, Right) or the previous (Up, Left)
// enabled option of its group, going round at the ends, and gives it the focus. False for other
// keys.
bool moveWithinGroup(QAbstractButton *button, int key)
{
    int by = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Right)
        by = 1;
    else if (key == Qt::Key_Up || key == Qt::Key_Left)
        by = -1;
    QButtonGroup *group = button->group();
    if (by == 0 || !group)
        return false;
    const QList<QAbstractButton *> buttons = group->buttons();
    const qsizetype count = buttons.size();
    const qsizetype at = buttons.indexOf(button);
    for (qsizetype n = 1; n < count; ++n) {
        QAbstractButton *next = buttons.at(((at + by * n) % count + count) % count);
        if (next->isEnabled()) {
            next->setFocus(by > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            if (!next->isChecked())
                next->click();
            break;
        }
    }
    return true;
}

// The selected option's index; the given fallback when none is selected.
int selectedOption(const QButtonGroup *group, int fallback)
{
    for (QAbstractButton *b : group->buttons()) {
        if (b->isChecked())
            return group->id(b);
    }
    return fallback;
}

QLineEdit *numberField(const QString &name, int length, FieldLimit *&limit, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    limit = FieldLimit::numberField(field, length);
    return field;
}

} // namespace

EditDialog::EditDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgModify"));
    setModal(true);
    buildControls();
}

void EditDialog::buildControls()
{
    auto *top = new QVBoxLayout(this);

    auto *heading = new QHBoxLayout;
    m_lblMode = label(QStringLiteral("lblMode"), QString(), this);
    m_lblCH = label(QStringLiteral("lblCH"), QString(), this);
    QFont strong = m_lblCH->font();
    strong.setBold(true);
    m_lblMode->setFont(strong);
    m_lblCH->setFont(strong);
    heading->addWidget(m_lblMode);
    heading->addWidget(m_lblCH);
    heading->addStretch();
    top->addLayout(heading);

    auto *fields = new QGridLayout;
    m_txtFreq =
        numberField(QStringLiteral("txtFreq"), EditSession::kFrequencyLength, m_freqLimit, this);
    m_lblMHz = label(QStringLiteral("lblMHz"), QString(), this);
    fields->addWidget(label(QStringLiteral("Label1"), tr("Frequency"), this), 0, 0);
    fields->addWidget(m_txtFreq, 0, 1);
    fields->addWidget(label(QStringLiteral("Label2"), QStringLiteral("MHz"), this), 0, 2);
    fields->addWidget(m_lblMHz, 0, 3);
    m_txtNote = new QLineEdit(this);
    m_txtNote->setObjectName(QStringLiteral("txtNote"));
    m_noteLimit = new FieldLimit(m_txtNote, EditSession::kNoteLength);
    fields->addWidget(label(QStringLiteral("Label3"), tr("Note"), this), 1, 0);
    fields->addWidget(m_txtNote, 1, 1, 1, 3);
    top->addLayout(fields);

    auto *checks = new QHBoxLayout;
    m_chkEnable = new QCheckBox(tr("Enable"), this);
    m_chkEnable->setObjectName(QStringLiteral("chkEnable"));
    m_chkAuto = new QCheckBox(tr("Auto Mode and Step"), this);
    m_chkAuto->setObjectName(QStringLiteral("chkAuto"));
    checks->addWidget(m_chkEnable);
    checks->addWidget(m_chkAuto);
    checks->addStretch();
    top->addLayout(checks);

    auto *groups = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    m_modeFrame = new QGroupBox(tr("Modulation Mode"), this);
    m_modeFrame->setObjectName(QStringLiteral("Frame1"));
    m_opbWave = optionFrame(m_modeFrame, QStringLiteral("opbWave"),
                            {QStringLiteral("FM"), QStringLiteral("AM"), QStringLiteral("WFM")}, 1);
    left->addWidget(m_modeFrame);
    auto *toneFrame = new QGroupBox(tr("Tone"), this);
    toneFrame->setObjectName(QStringLiteral("Frame3"));
    m_opbTone = optionFrame(toneFrame, QStringLiteral("opbTone"),
                            {tr("None"), tr("Tone"), QStringLiteral("TSQ"), tr("Reverse")}, 2);
    auto *toneGrid = static_cast<QGridLayout *>(toneFrame->layout());
    m_cbbTxTone = new QComboBox(toneFrame);
    m_cbbTxTone->setObjectName(QStringLiteral("cbbTxTone"));
    m_cbbRxTone = new QComboBox(toneFrame);
    m_cbbRxTone->setObjectName(QStringLiteral("cbbRxTone"));
    for (QComboBox *list : {m_cbbTxTone, m_cbbRxTone}) {
        list->addItems(toneList());
        list->setCurrentIndex(0);
    }
    toneGrid->addWidget(label(QStringLiteral("Label4"), tr("TX"), toneFrame), 2, 0);
    toneGrid->addWidget(m_cbbTxTone, 2, 1);
    toneGrid->addWidget(label(QStringLiteral("Label5"), tr("RX"), toneFrame), 3, 0);
    toneGrid->addWidget(m_cbbRxTone, 3, 1);
    left->addWidget(toneFrame);
    groups->addLayout(left);

    m_stepFrame = new QGroupBox(tr("Tuning Step"), this);
    m_stepFrame->setObjectName(QStringLiteral("Frame2"));
    m_opbStep = optionFrame(m_stepFrame, QStringLiteral("opbStep"),
                            stepList().mid(0, EditSession::kStepOptionCount), 2);
    groups->addWidget(m_stepFrame);
    top->addLayout(groups);

    auto *shiftFrame = new QGroupBox(tr("Shift"), this);
    shiftFrame->setObjectName(QStringLiteral("Frame4"));
    m_opbSift = optionFrame(shiftFrame, QStringLiteral("opbSift"),
                            {tr("None"), QStringLiteral("+"), QStringLiteral("-"), tr("Split")}, 4);
    auto *shiftGrid = static_cast<QGridLayout *>(shiftFrame->layout());
    m_txtShift = numberField(QStringLiteral("txtShift"), EditSession::kOffsetLength, m_shiftLimit,
                             shiftFrame);
    auto *offset = new QHBoxLayout;
    offset->addWidget(label(QStringLiteral("Label6"), tr("Offset Frequency"), shiftFrame));
    offset->addWidget(m_txtShift);
    offset->addWidget(label(QStringLiteral("Label7"), QStringLiteral("MHz"), shiftFrame));
    shiftGrid->addLayout(offset, 1, 0, 1, 4);
    top->addWidget(shiftFrame);

    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    top->addLayout(buttons);

    // Option buttons of a group exclude each other when clicked; the groups are not exclusive in
    // Qt's sense so that code can show "no selection".
    for (QButtonGroup *group : {m_opbWave, m_opbStep, m_opbTone, m_opbSift}) {
        connect(group, &QButtonGroup::idClicked, this,
                [group](int id) { selectOption(group, id); });
    }
    nameForScreenReaders();
    connect(ok, &QPushButton::clicked, this, &EditDialog::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &EditDialog::CancelButton_Click);
    connect(m_chkAuto, &QCheckBox::clicked, this, &EditDialog::chkAuto_Click);
    m_txtFreq->installEventFilter(this);
    m_txtShift->installEventFilter(this);
    for (QButtonGroup *group : {m_opbWave, m_opbStep, m_opbTone, m_opbSift}) {
        for (QAbstractButton *b : group->buttons())
            b->installEventFilter(this);
    }
}

// Screen readers name a field by the label that is its buddy; a list reads out its value as its
// name, so the lists are named outright, and so are the shift options that are signs alone.
void EditDialog::nameForScreenReaders()
{
    const std::pair<const char *, QWidget *> buddies[] = {
        {"Label1", m_txtFreq},   {"Label3", m_txtNote},  {"Label4", m_cbbTxTone},
        {"Label5", m_cbbRxTone}, {"Label6", m_txtShift},
    };
    for (const auto &[name, field] : buddies)
        findChild<QLabel *>(QLatin1String(name))->setBuddy(field);
    m_cbbTxTone->setAccessibleName(tr("TX tone"));
    m_cbbRxTone->setAccessibleName(tr("RX tone"));
    m_txtFreq->setAccessibleDescription(tr("In MHz, for example 145.5"));
    m_txtShift->setAccessibleDescription(tr("In MHz, for example 0.6"));
    m_opbSift->button(1)->setAccessibleName(tr("Plus"));
    m_opbSift->button(2)->setAccessibleName(tr("Minus"));
}

bool EditDialog::prepareSlot(Document &document, int slot)
{
    if (!m_session.openSlot(document, slot))
        return false;
    m_document = &document;
    showSession();
    return true;
}

bool EditDialog::prepareVfo(Document &document, int vfoRow)
{
    if (!m_session.openVfo(document, vfoRow))
        return false;
    m_document = &document;
    showSession();
    return true;
}

bool EditDialog::editSlot(Document &document, int slot)
{
    return prepareSlot(document, slot) && exec() == QDialog::Accepted;
}

bool EditDialog::editVfo(Document &document, int vfoRow)
{
    return prepareVfo(document, vfoRow) && exec() == QDialog::Accepted;
}

void EditDialog::showSession()
{
    setWindowTitle(m_session.caption());
    m_lblMode->setText(m_session.modeLabel());
    m_lblCH->setText(shownText(kTableTexts, m_session.channelLabel()));
    m_lblMHz->setText(m_session.rangeCaption());
    m_chkEnable->setVisible(m_session.enableVisible());
    m_chkEnable->setChecked(m_session.enableChecked);
    m_chkAuto->setChecked(m_session.autoChecked());
    m_freqLimit->show(m_session.frequencyText);
    m_noteLimit->show(m_session.noteText);
    m_shiftLimit->show(m_session.offsetText);
    selectOption(m_opbWave, m_session.mode);
    selectOption(m_opbStep, m_session.step);
    selectOption(m_opbTone, m_session.toneMode);
    selectOption(m_opbSift, m_session.shift);
    m_cbbTxTone->setCurrentIndex(m_session.txTone);
    m_cbbRxTone->setCurrentIndex(m_session.rxTone);
    showGroupStates();
}

void EditDialog::showGroupStates()
{
    m_modeFrame->setEnabled(m_session.modeGroupEnabled());
    m_stepFrame->setEnabled(m_session.stepGroupEnabled());
    for (QAbstractButton *b : m_opbWave->buttons())
        b->setEnabled(m_session.modeEnabled(m_opbWave->id(b)));
    for (QAbstractButton *b : m_opbStep->buttons())
        b->setEnabled(m_session.stepEnabled(m_opbStep->id(b)));
    tabToSelection(m_opbWave);
    tabToSelection(m_opbStep);
}

void EditDialog::takeControls()
{
    m_session.frequencyText = m_txtFreq->text();
    m_session.noteText = m_txtNote->text();
    m_session.offsetText = m_txtShift->text();
    m_session.enableChecked = m_chkEnable->isChecked();
    m_session.mode = selectedOption(m_opbWave, m_session.mode);
    m_session.step = selectedOption(m_opbStep, m_session.step);
    m_session.toneMode = selectedOption(m_opbTone, m_session.toneMode);
    m_session.shift = selectedOption(m_opbSift, m_session.shift);
    m_session.txTone = m_cbbTxTone->currentIndex();
    m_session.rxTone = m_cbbRxTone->currentIndex();
}

void EditDialog::OKButton_Click()
{
    takeControls();
    if (!m_document || !m_session.accept(*m_document)) {
        reject();
        return;
    }
    accept();
}

void EditDialog::CancelButton_Click()
{
    reject();
}

void EditDialog::chkAuto_Click()
{
    takeControls();
    m_session.setAuto(m_chkAuto->isChecked());
    selectOption(m_opbWave, m_session.mode);
    selectOption(m_opbStep, m_session.step);
    showGroupStates();
}

void EditDialog::txtFreq_LostFocus()
{
    m_session.frequencyText = m_txtFreq->text();
    m_session.frequencyLostFocus();
    m_freqLimit->show(m_session.frequencyText);
}

void EditDialog::txtShift_LostFocus()
{
    m_session.offsetText = m_txtShift->text();
    m_session.offsetLostFocus();
    m_shiftLimit->show(m_session.offsetText);
}

bool EditDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QRadioButton *>(watched)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (moveWithinGroup(static_cast<QRadioButton *>(watched), key->key()))
                return true;
        }
    }
    if (watched == m_txtFreq || watched == m_txtShift) {
        auto *field = static_cast<QLineEdit *>(watched);
        if (event->type() == QEvent::KeyPress) {
            if (FieldLimit::dropsKey(*field, *static_cast<QKeyEvent *>(event)))
                return true;
        } else if (event->type() == QEvent::FocusOut) {
            if (field == m_txtFreq)
                txtFreq_LostFocus();
            else
                txtShift_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EditDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_txtFreq->setFocus();
    m_txtFreq->selectAll();
}

} // namespace hxv5
