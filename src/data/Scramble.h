#pragma once

#include <QByteArray>
#include <QString>

// The reversible scrambler that keeps passwords, paths and the connection string in cfg.ini from
// being read at a glance. It is its own inverse and works on bytes; text goes through UTF-8.
QByteArray Scramble(const QByteArray& bytes);

// The scrambled UTF-8 bytes of `text`. The result is kept as bytes: scrambled Chinese text is not
// always valid UTF-8 and would not survive a round trip through QString.
QByteArray ScrambleText(const QString& text);
// The text whose scrambled UTF-8 bytes are `scrambled`.
QString UnscrambleText(const QByteArray& scrambled);
