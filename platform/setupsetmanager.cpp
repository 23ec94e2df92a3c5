#include "platform/setupsetmanager.h"

SETUP_SET_Manager::SETUP_SET_Manager(const QString &path, bool autoCreate)
{
    // Like ZConfig's, the flag is always false: this reader never creates the file.
    Q_UNUSED(autoCreate);
    QString error;
    if (const std::optional<QByteArray> bytes = ZConfigDocument::readFile(path, &error))
        m_document = ZConfigDocument(*bytes);
}

bool SETUP_SET_Manager::getSettingInfo(const QString &group, const QString &key, bool &value, bool def) const
{
    const std::optional<QString> text = m_document.value(group, key);
    value = text ? ZConfigDocument::toBool(*text).value_or(def) : def;
    return text.has_value();
}
