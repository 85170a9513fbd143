#include "common/program/settings.h"
#include "common/internal/qtext.h"
#include "common/text/text.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <climits>

namespace {

// Looked up on every call, so a changed configuration directory (tests
// point it at a temporary one) takes effect at once.
QString storeFile(const QString& name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                  + QStringLiteral("/Qelvana");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".ini");
}

QString programStore(const Text& program)
{
    QString name = toQString(program);
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return storeFile(name.isEmpty() ? QStringLiteral("_") : name);
}

// One settings key per registry value: root/key/.../name, with "@" as the
// name of a key's default value. Empty or slashed names are refused because
// they would address another key.
QString registryKey(const Text& root, const Text& keyPath)
{
    TextList parts = splitText(keyPath, "\\");
    parts.insert(parts.begin(), root);
    QStringList names;
    for (size_t i = 0; i < parts.size(); ++i) {
        QString name = toQString(parts[i]);
        if (name.isEmpty() && i + 1 == parts.size() && i > 1)
            name = QStringLiteral("@");
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
            return {};
        names << name;
    }
    return names.join(QLatin1Char('/'));
}

} // namespace

int readSettingNumber(const Text& program, const Text& section, const Text& key, int defaultValue)
{
    QSettings store(programStore(program), QSettings::IniFormat);
    QVariant value = store.value(toQString(section) + QLatin1Char('/') + toQString(key));
    bool ok = false;
    qlonglong n = value.toLongLong(&ok);
    if (!value.isValid() || !ok)
        return defaultValue;
    return static_cast<int>(std::clamp<qlonglong>(n, INT_MIN, INT_MAX));
}

void writeSettingNumber(const Text& program, const Text& section, const Text& key, int value)
{
    QSettings store(programStore(program), QSettings::IniFormat);
    store.setValue(toQString(section) + QLatin1Char('/') + toQString(key), value);
}

bool writeRegistryText(const Text& root, const Text& keyPath, const Text& value)
{
    QString key = registryKey(root, keyPath);
    if (key.isEmpty())
        return false;
    QSettings store(storeFile(QStringLiteral("registry")), QSettings::IniFormat);
    if (!store.isWritable())
        return false;
    store.setValue(key, toQString(value));
    store.sync();
    return store.status() == QSettings::NoError;
}

Text readRegistryText(const Text& root, const Text& keyPath)
{
    QString key = registryKey(root, keyPath);
    if (key.isEmpty())
        return {};
    QSettings store(storeFile(QStringLiteral("registry")), QSettings::IniFormat);
    return fromQString(store.value(key).toString());
}
