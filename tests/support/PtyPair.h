#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair for tests: the program opens slavePath() as its serial port, and the
// test plays the processing unit on the master side.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Writes as the unit would.
    void write(const QByteArray& bytes);
    // Reads whatever the program has sent within timeoutMs (keeps the event loop running).
    QByteArray read(int timeoutMs = 200);
    // Reads until `count` CR LF terminated frames have arrived or the time is up.
    QByteArray readFrames(int count, int timeoutMs = 3000);

    // Hangs up the line as an unplugged adapter would.
    void closeMaster();
    // Lets the test's own copy of the slave go, so only the program holds it.
    void closeSlave();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QByteArray m_pending;
};
