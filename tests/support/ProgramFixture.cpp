#include "support/ProgramFixture.h"

#include "app/Maindebugmega.h"
#include "link/FrameCodec.h"

#include <QDir>
#include <QLabel>
#include <QTest>

ProgramFixture::ProgramFixture()
    : m_previousFolder(QDir::currentPath()), m_settings(m_folder.filePath(QStringLiteral("ConfigVT2M.conf"))),
      m_unit(std::make_unique<PtyPair>())
{
    // The program keeps its archive and constants below the current folder.
    QDir::setCurrent(m_folder.path());
}

ProgramFixture::~ProgramFixture()
{
    m_windows.reset();
    QDir::setCurrent(m_previousFolder);
}

void ProgramFixture::start()
{
    m_windows = std::make_unique<ProgramWindows>(m_settings);
}

void ProgramFixture::startOnPty(const QString& unitAddress)
{
    startOnPort(m_unit->slavePath(), unitAddress);
}

void ProgramFixture::startOnPort(const QString& port, const QString& unitAddress)
{
    m_settings.setCurrCOMM(port);
    m_settings.setAdrBO(unitAddress);
    m_settings.setMainTableClearTimeOut(QStringLiteral("60"));
    start();
    QTRY_COMPARE_WITH_TIMEOUT(mainForm().link().port().isOpen(), true, 5000);
}

TMainForm& ProgramFixture::mainForm()
{
    return m_windows->main();
}

void ProgramFixture::sendFromUnit(quint8 address, quint8 code, const QByteArray& data)
{
    m_unit->write(encodeFrame(address, code, data));
}
