#pragma once

#include "platform/zconfigdocument.h"

#include <QString>

/**
 * The platform's reader of single settings, used where only one truth value
 * is wanted. It reads the same syntax as ZConfig, once, at construction; a
 * missing or unreadable file reads as empty.
 */
class SETUP_SET_Manager
{
public:
    explicit SETUP_SET_Manager(const QString &path, bool autoCreate = false);

    /** Sets value to the stored truth value, or to def; returns whether the key was found. */
    bool getSettingInfo(const QString &group, const QString &key, bool &value, bool def) const;

private:
    ZConfigDocument m_document;
};
