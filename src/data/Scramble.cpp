#include "data/Scramble.h"

namespace {

constexpr char Key[] = "yobterumic";
constexpr qsizetype KeyLength = sizeof(Key) - 1;

} // namespace

QByteArray Scramble(const QByteArray& bytes)
{
    QByteArray result(bytes);
    for (qsizetype i = 0; i < result.size(); ++i) {
        // Only the key byte's last decimal digit is used, so the low four bits change and ASCII stays
        // ASCII; existing files depend on exactly this form.
        const auto mask = static_cast<unsigned char>(Key[(i + 1) % KeyLength]) % 10;
        result[i] = static_cast<char>(static_cast<unsigned char>(result[i]) ^ mask);
    }
    return result;
}

QByteArray ScrambleText(const QString& text)
{
    return Scramble(text.toUtf8());
}

QString UnscrambleText(const QByteArray& scrambled)
{
    return QString::fromUtf8(Scramble(scrambled));
}
