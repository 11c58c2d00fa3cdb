#include "print/dlg_print.h"

#include "print/print_selection.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace hxv5 {

int DlgPrint::titleBarWidth() const
{
    // Title bars are usually drawn in a bolder, slightly larger face than the dialog's text.
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.1);
    constexpr int kFrameControlsWidth = 140; // icon, close, minimise and maximise buttons
    return QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kFrameControlsWidth;
}

DlgPrint::DlgPrint(PrintSelection &selection, QWidget *parent)
    : QDialog(parent), m_selection(selection)
{
    setObjectName(QStringLiteral("DlgPrint"));
    setWindowTitle(tr("Print Selection"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < kReportCount; ++i) {
        auto *box = new QCheckBox(PrintSelection::caption(i), this);
        box->setObjectName(QStringLiteral("chkSelect_") + QString::number(i));
        connect(box, &QCheckBox::clicked, this, [this, i] { chkSelect_Click(i); });
        layout->addWidget(box);
        m_chkSelect[static_cast<size_t>(i)] = box;
    }

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &DlgPrint::OKButton_Click);

    m_previewButton = new QPushButton(tr("Preview..."), this);
    m_previewButton->setObjectName(QStringLiteral("cmbPreview"));
    m_previewButton->setAutoDefault(false);
    connect(m_previewButton, &QPushButton::clicked, this, &DlgPrint::cmbPreview_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previewButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // Wide enough for the whole title beside the frame's icon and buttons, which the window
    // manager would otherwise cut to "Print ...ection".
    layout->addItem(new QSpacerItem(titleBarWidth(), 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    syncFromSelection();
}

QCheckBox *DlgPrint::chkSelect(int index) const
{
    return index >= 0 && index < kReportCount ? m_chkSelect[static_cast<size_t>(index)] : nullptr;
}

void DlgPrint::syncFromSelection()
{
    for (int i = 0; i < kReportCount; ++i)
        m_chkSelect[static_cast<size_t>(i)]->setChecked(m_selection.isTicked(i));
}

void DlgPrint::chkSelect_Click(int index)
{
    m_selection.setTicked(index, chkSelect(index)->isChecked());
}

void DlgPrint::OKButton_Click()
{
    m_selection.requestPrint();
    accept();
}

void DlgPrint::cmbPreview_Click()
{
    m_selection.requestPreview();
    accept();
}

void DlgPrint::done(int result)
{
    // Hiding after OK (or Escape) keeps the dialog loaded; only a close through the frame
    // unloads it.
    m_inDone = true;
    QDialog::done(result);
    m_inDone = false;
}

void DlgPrint::closeEvent(QCloseEvent *event)
{
    if (!m_inDone && !m_unloaded) {
        m_unloaded = true;
        m_selection.unload();
        Q_EMIT unloaded();
    }
    QDialog::closeEvent(event);
}

} // namespace hxv5
