#pragma once

#include "base/user_interaction.h"
#include "link/serial_port.h"

#include <QByteArrayList>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <utility>

namespace hxv5 {

// A radio on the other end of a scripted line: it answers every read command with the block the
// script gives for its address and every write command with the echo and "OK", each answer
// arriving from the event loop as a real one would.
class ScriptedRadio : public SerialPort
{
public:
    bool open() override
    {
        ++opens;
        m_open = openable;
        return m_open;
    }
    void close() override
    {
        ++closes;
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    QByteArray takePendingInput() override { return std::exchange(m_pending, {}); }

    bool send(const QByteArray &data) override
    {
        sent.append(data);
        if (data.size() < 10)
            return true;
        const int block = data.mid(4, 4).toInt(nullptr, 16) / 16;
        if (block == silentBlock)
            return true;
        QByteArray reply;
        if (data.at(8) == 'R')
            reply = "\r\n" + blockText(block) + "\r\n";
        else
            reply = data + "\r\nOK\r\n";
        QTimer::singleShot(0, this, [this, reply] {
            m_pending += reply;
            Q_EMIT readyRead();
        });
        return true;
    }

    // The 32 digits the radio holds in a block; every block erased (all "F") unless replaced.
    std::function<QByteArray(int block)> blockText = [](int) { return QByteArray(32, 'F'); };
    bool openable = true;
    // A block the radio never answers (-1: it answers all).
    int silentBlock = -1;
    int opens = 0;
    int closes = 0;
    QByteArrayList sent;

private:
    bool m_open = false;
    QByteArray m_pending;
};

// The user's answers, given beforehand, and a record of what was asked.
class ScriptedInteraction : public UserInteraction
{
public:
    void showError(const QString &text) override { errors.append(text); }
    Answer askSaveChanges() override
    {
        ++saveQuestions;
        return saveAnswer;
    }
    QString chooseOpenFile(FileKind) override
    {
        ++choosers;
        return openPath;
    }
    QString chooseSaveFile(FileKind) override
    {
        ++choosers;
        return savePath;
    }

    QStringList errors;
    int saveQuestions = 0;
    int choosers = 0;
    Answer saveAnswer = Answer::Cancel;
    QString openPath;
    QString savePath;
};

} // namespace hxv5
