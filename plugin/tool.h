#pragma once

#include <QString>

/** Turns a UTF-8 text literal into a string; every Chinese literal passes through here. */
QString ctr(const char *utf8);
