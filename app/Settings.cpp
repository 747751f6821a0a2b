#include "app/Settings.h"

#include <QSettings>
#include <memory>

namespace {
std::unique_ptr<QSettings> openStore(const QString& iniPath)
{
    if (!iniPath.isEmpty())
        return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\ConfigVT2M"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("ConfigVT2M"));
#endif
}
} // namespace

QString Settings::read(const char* name) const
{
    return openStore(m_iniPath)->value(QLatin1String(name)).toString();
}

void Settings::write(const char* name, const QString& value) const
{
    auto store = openStore(m_iniPath);
    // Always a string, so the registry holds REG_SZ as the unit tools expect.
    store->setValue(QLatin1String(name), value);
    store->sync();
}
