#include "fake_radio.h"

#include "link/command_exchange.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using hxv5::CommandExchange;
using hxv5::testing::FakeRadio;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {

const QByteArray kDigits = "0145000000000500000000000000000F";
const QByteArray kFrame = "\r\n" + kDigits + "\r\n";
const QByteArray kReadCommand = "AL~F0000R\r";
const QByteArray kWriteCommand = "AL~F0000W" + kDigits + "\r";
constexpr auto kShortTimeout = 30ms;

// Answers every command with the same chunks.
FakeRadio::Responder answering(const QList<QByteArray> &chunks)
{
    return [chunks](const QByteArray &) {
        QList<FakeRadio::Chunk> out;
        for (const QByteArray &c : chunks)
            out.append({c});
        return out;
    };
}

} // namespace

class TestCommandExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandTexts();
    void readReplies_data();
    void readReplies();
    void writeReplies_data();
    void writeReplies();
    void writeOfExactly46WaitsForTheDeadline();
    void readStopsTheMomentTheReplyIsComplete();
    void staleInputIsDiscarded();
    void portFailures_data();
    void portFailures();
    void defaultDeadline();

private:
    struct Fixture
    {
        FakeRadio port;
        CommandExchange exchange{port};
        Fixture()
        {
            exchange.setReplyTimeout(kShortTimeout);
            port.responder = nullptr; // a silent line unless a test scripts it
        }
    };
};

void TestCommandExchange::commandTexts()
{
    QCOMPARE(CommandExchange::readCommand(5), QStringLiteral("AL~F0050R\r"));
    QCOMPARE(CommandExchange::readCommand(214), QStringLiteral("AL~F0D60R\r"));
    const QString record = QString::fromLatin1(kDigits);
    const QString write = CommandExchange::writeCommand(222, record);
    QCOMPARE(write, QStringLiteral("AL~F0DE0W") + record + QStringLiteral("\r"));
    QCOMPARE(write.size(), 42);
}

void TestCommandExchange::readReplies_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("result");

    const QString accepted = QString::fromLatin1(kFrame);
    QTest::newRow("echo then frame") << QList<QByteArray>{kReadCommand + kFrame} << accepted;
    QTest::newRow("frame alone, 36") << QList<QByteArray>{kFrame} << accepted;
    QTest::newRow("in pieces") << QList<QByteArray>{kReadCommand, "\r", "\n" + kDigits.left(7),
                                                    kDigits.mid(7) + "\r", "\n"}
                               << accepted;
    QTest::newRow("35 characters")
        << QList<QByteArray>{"\r\n" + kDigits.left(31) + "\r\n"} << CommandExchange::kNoReply;
    QTest::newRow("nothing") << QList<QByteArray>{} << CommandExchange::kNoReply;
    QTest::newRow("40 misframed") << QList<QByteArray>{"ABCD" + kDigits + "12\r\n"}
                                  << CommandExchange::kBadFrame;
    QTest::newRow("LF CR ends") << QList<QByteArray>{kReadCommand + "\n\r" + kDigits + "\n\r"}
                                << CommandExchange::kBadFrame;
    QTest::newRow("trailing character")
        << QList<QByteArray>{kFrame + "X"} << CommandExchange::kBadFrame;
    // Framed like a reply, but the 32 characters are no block text.
    QTest::newRow("letters past F")
        << QList<QByteArray>{kReadCommand + "\r\n" + QByteArray(32, 'Z') + "\r\n"}
        << CommandExchange::kBadFrame;
    QTest::newRow("lower case") << QList<QByteArray>{kReadCommand + "\r\n" +
                                                     kDigits.toLower().replace('0', 'a') + "\r\n"}
                                << CommandExchange::kBadFrame;
    QTest::newRow("line end inside")
        << QList<QByteArray>{"\r\n" + kDigits.left(15) + "\r\n" + kDigits.left(15) + "\r\n"}
        << CommandExchange::kBadFrame;
    QTest::newRow("blank inside") << QList<QByteArray>{"\r\n" + kDigits.left(31) + " \r\n"}
                                  << CommandExchange::kBadFrame;
    QTest::newRow("NUL inside") << QList<QByteArray>{"\r\n" + kDigits.left(31) +
                                                     QByteArray(1, '\0') + "\r\n"}
                                << CommandExchange::kBadFrame;
    QTest::newRow("every digit") << QList<QByteArray>{"\r\n0123456789ABCDEF0123456789ABCDEF\r\n"}
                                 << QStringLiteral("\r\n0123456789ABCDEF0123456789ABCDEF\r\n");

    // A late answer to an earlier command, echo first, never passes for this command's reply.
    const QByteArray otherFrame = "\r\n" + QByteArray(32, '9') + "\r\n";
    QTest::newRow("late answer to another read, then own")
        << QList<QByteArray>{"AL~F0D60R\r" + otherFrame, kReadCommand + kFrame} << accepted;
    QTest::newRow("late answer to another read alone")
        << QList<QByteArray>{"AL~F0D60R\r" + otherFrame} << CommandExchange::kNoReply;
    QTest::newRow("late answer in pieces")
        << QList<QByteArray>{"AL~F0D6", "0R\r\r\n" + QByteArray(32, '9'), "\r\n"}
        << CommandExchange::kNoReply;
    QTest::newRow("late answer to a write, then own")
        << QList<QByteArray>{"AL~F0D50W" + QByteArray(32, '1') + "\r\r\nOK\r\n",
                             kReadCommand + kFrame}
        << accepted;
    QTest::newRow("another echo before a bad frame")
        << QList<QByteArray>{"AL~F0D60R\r" + QByteArray(36, 'x')} << CommandExchange::kBadFrame;
}

void TestCommandExchange::readReplies()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, result);

    Fixture f;
    f.port.responder = answering(chunks);
    QSignalSpy finished(&f.exchange, &CommandExchange::readFinished);
    f.exchange.ReadExchange(QString::fromLatin1(kReadCommand));
    QVERIFY(f.exchange.isRunning());
    QVERIFY(finished.wait());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toString(), result);
    QCOMPARE(f.port.sent, QList<QByteArray>{kReadCommand});
    QVERIFY(!f.exchange.isRunning());
}

void TestCommandExchange::writeReplies_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("code");

    QTest::newRow("echo then OK, 48")
        << QList<QByteArray>{kWriteCommand, "\r\nOK\r\n"} << int(CommandExchange::kWriteAccepted);
    QTest::newRow("OK alone, 6") << QList<QByteArray>{"\r\nOK\r\n"}
                                 << int(CommandExchange::kWriteNoReply);
    QTest::newRow("nothing") << QList<QByteArray>{} << int(CommandExchange::kWriteNoReply);
    QTest::newRow("NG") << QList<QByteArray>{kWriteCommand + "\r\nNG\r\n"}
                        << int(CommandExchange::kWriteRejected);
    QTest::newRow("echo only") << QList<QByteArray>{kWriteCommand}
                               << int(CommandExchange::kWriteNoReply);
    QTest::newRow("late OK to another write")
        << QList<QByteArray>{"AL~F0D50W" + QByteArray(32, '1') + "\r\r\nOK\r\n"}
        << int(CommandExchange::kWriteNoReply);
    QTest::newRow("late OK to another write, then own NG")
        << QList<QByteArray>{"AL~F0D50W" + QByteArray(32, '1') + "\r\r\nOK\r\n",
                             kWriteCommand + "\r\nNG\r\n"}
        << int(CommandExchange::kWriteRejected);
}

void TestCommandExchange::writeReplies()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, code);

    Fixture f;
    f.port.responder = answering(chunks);
    QSignalSpy finished(&f.exchange, &CommandExchange::writeFinished);
    f.exchange.WriteExchange(QString::fromLatin1(kWriteCommand));
    QVERIFY(finished.wait());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), code);
}

void TestCommandExchange::writeOfExactly46WaitsForTheDeadline()
{
    Fixture f;
    f.exchange.setReplyTimeout(200ms);
    const QByteArray reply = QByteArray(40, 'x') + "\r\nOK\r\n";
    QCOMPARE(reply.size(), 46);
    f.port.responder = [&](const QByteArray &) { return QList<FakeRadio::Chunk>{{reply}}; };
    QSignalSpy finished(&f.exchange, &CommandExchange::writeFinished);
    QSignalSpy progress(&f.exchange, &CommandExchange::replyProgress);
    f.exchange.WriteExchange(QString::fromLatin1(kWriteCommand));
    QVERIFY(progress.wait());
    // The whole reply is in, yet only more than 46 characters end the wait early.
    QCOMPARE(finished.size(), 0);
    QVERIFY(f.exchange.isRunning());
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).toInt(), int(CommandExchange::kWriteAccepted));
}

void TestCommandExchange::readStopsTheMomentTheReplyIsComplete()
{
    Fixture f;
    f.exchange.setReplyTimeout(10s);
    f.port.responder = [&](const QByteArray &command) {
        return QList<FakeRadio::Chunk>{{command}, {kFrame}, {"late", 50}};
    };
    QSignalSpy finished(&f.exchange, &CommandExchange::readFinished);
    f.exchange.ReadExchange(QString::fromLatin1(kReadCommand));
    // A ten-second deadline: the exchange must end on the reply itself.
    QVERIFY(finished.wait(2000));
    QCOMPARE(finished.at(0).at(0).toString(), QString::fromLatin1(kFrame));
    // What comes after the reply is left on the line for the next exchange to discard.
    QTRY_COMPARE(f.port.pending, QByteArray("late"));
}

void TestCommandExchange::staleInputIsDiscarded()
{
    Fixture f;
    // A late frame of an earlier command reached the line before this command goes out, and the
    // line tells of it only afterwards; taken on its own it would be accepted as the reply. The
    // real answer comes a little later, in a read of its own.
    f.port.open();
    f.port.pending = "\r\nFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n";
    QTimer::singleShot(0, &f.port, [&] { Q_EMIT f.port.readyRead(); });
    f.port.responder = [&](const QByteArray &command) {
        return QList<FakeRadio::Chunk>{{command + kFrame, 20}};
    };
    QSignalSpy finished(&f.exchange, &CommandExchange::readFinished);
    f.exchange.ReadExchange(QString::fromLatin1(kReadCommand));
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).toString(), QString::fromLatin1(kFrame));
}

void TestCommandExchange::portFailures_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<bool>("write");
    for (const bool write : {false, true}) {
        const char *kind = write ? "write" : "read";
        QTest::addRow("%s, open fails", kind) << 0 << write;
        QTest::addRow("%s, send fails", kind) << 1 << write;
        QTest::addRow("%s, line fails while waiting", kind) << 2 << write;
    }
}

void TestCommandExchange::portFailures()
{
    QFETCH(int, failure);
    QFETCH(bool, write);

    Fixture f;
    f.exchange.setReplyTimeout(10s);
    f.port.openFails = failure == 0;
    f.port.sendFails = failure == 1;
    if (failure == 2)
        f.port.responder = [&](const QByteArray &) {
            f.port.failLater(5);
            return QList<FakeRadio::Chunk>{};
        };
    QSignalSpy readFinished(&f.exchange, &CommandExchange::readFinished);
    QSignalSpy writeFinished(&f.exchange, &CommandExchange::writeFinished);
    if (write)
        f.exchange.WriteExchange(QString::fromLatin1(kWriteCommand));
    else
        f.exchange.ReadExchange(QString::fromLatin1(kReadCommand));
    // The result always comes from the event loop, never from inside the call.
    QCOMPARE(readFinished.size() + writeFinished.size(), 0);
    QSignalSpy &spy = write ? writeFinished : readFinished;
    QVERIFY(spy.wait(2000));
    if (write)
        QCOMPARE(spy.at(0).at(0).toInt(), int(CommandExchange::kWritePortFailure));
    else
        QCOMPARE(spy.at(0).at(0).toString(), CommandExchange::kPortFailure);
    // The failed port is closed so that the next exchange opens it afresh.
    QVERIFY(!f.port.isOpen());
    QCOMPARE(readFinished.size() + writeFinished.size(), 1);
}

void TestCommandExchange::defaultDeadline()
{
    FakeRadio port;
    CommandExchange exchange(port);
    QCOMPARE(exchange.replyTimeout(), 500ms);
}

QTEST_GUILESS_MAIN(TestCommandExchange)
#include "tst_command_exchange.moc"
