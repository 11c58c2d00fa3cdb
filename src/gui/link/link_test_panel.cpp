#include "link/link_test_panel.h"

#include "document/document.h"
#include "link/transfers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hxv5 {

LinkTestPanel::LinkTestPanel(Transfers &transfers, Document &document, QWidget *parent)
    : QWidget(parent), m_transfers(transfers)
{
    m_text1 = new QLineEdit(QStringLiteral("0000"), this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setMaxLength(4);
    m_text1->setToolTip(tr("Block address, four hexadecimal digits"));

    m_command1 = new QPushButton(tr("Read"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    auto *command2 = new QPushButton(tr("Clear"), this);
    command2->setObjectName(QStringLiteral("Command2"));

    m_text2 = new QPlainTextEdit(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setReadOnly(true);
    m_text2->setAccessibleName(tr("Block text"));
    QFont fixed = m_text2->font();
    fixed.setFamily(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_text2->setFont(fixed);

    m_text3 = new QLineEdit(this);
    m_text3->setObjectName(QStringLiteral("Text3"));
    m_text3->setReadOnly(true);

    m_commands = new QHBoxLayout;
    m_commands->addWidget(m_command1);
    m_commands->addWidget(command2);
    auto *form = new QFormLayout;
    form->addRow(tr("Address:"), m_text1);
    form->addRow(m_commands);
    form->addRow(tr("Block:"), m_text3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_text2, 1);

    connect(m_command1, &QPushButton::clicked, this, &LinkTestPanel::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &LinkTestPanel::Command2_Click);
    connect(&transfers, &Transfers::handReadBuffer, this, &LinkTestPanel::setText2);
    connect(&transfers, &Transfers::handReadFinished, m_command1,
            [this] { m_command1->setEnabled(true); });
    connect(&transfers, &Transfers::blockStarted, m_text3,
            [this](int block) { m_text3->setText(QString::number(block)); });
    // One block per line, so that either half can be read (and copied) on its own.
    connect(&document, &Document::enableBlocksRebuilt, m_text2,
            [this](const QString &block0, const QString &block1) {
                setText2(block0 + QLatin1Char('\n') + block1);
            });
}

void LinkTestPanel::addCommand(QPushButton *command)
{
    command->setParent(this);
    m_commands->addWidget(command);
}

void LinkTestPanel::setText2(const QString &text)
{
    m_text2->setPlainText(text);
}

void LinkTestPanel::Command1_Click()
{
    // The transfers refuse a read by hand while a transfer runs; then no finish signal comes and
    // the button must not stay disabled.
    if (m_transfers.isRunning())
        return;
    m_command1->setEnabled(false);
    m_text2->clear();
    m_transfers.readBlockByHand(m_text1->text());
}

void LinkTestPanel::Command2_Click()
{
    m_text2->clear();
}

} // namespace hxv5
