#include "corva.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringDecoder>

// Password encoding for the operator table and Config.ini. This is obfuscation, not
// cryptography: the key is in this file, so it only keeps passwords from being read at a glance.
//
// Encoded text: base64url (no padding) of  salt(3) || ((check(3) || utf8(password)) XOR keystream)
// The keystream is SHA-256 over key, salt and a block counter; the check is a hash of salt and
// password, so a text that SavePass did not produce decodes to nothing. With base64url the result
// holds no '=', quotes or blanks, which keeps it safe in Config.ini and in SQL text. A 50-character
// Chinese password (150 bytes) encodes to 208 characters, inside the 255 of the password column.

namespace corva {

namespace {

constexpr int SaltSize = 3;
constexpr int CheckSize = 3;

const QByteArray& key()
{
    static const QByteArray k = QByteArrayLiteral("corva/7Qm2-Lx9e-Rt4w-Zp8k");
    return k;
}

QByteArray keystream(const QByteArray& salt, qsizetype length)
{
    QByteArray stream;
    stream.reserve(length + 32);
    for (quint32 block = 0; stream.size() < length; ++block) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(key());
        hash.addData(salt);
        const char counter[4] = {char(block >> 24), char(block >> 16), char(block >> 8),
                                 char(block)};
        hash.addData(QByteArrayView(counter, 4));
        stream += hash.result();
    }
    stream.truncate(length);
    return stream;
}

QByteArray check(const QByteArray& salt, const QByteArray& plain)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    hash.addData(key());
    hash.addData(plain);
    return hash.result().left(CheckSize);
}

QByteArray xored(QByteArray data, const QByteArray& stream)
{
    for (qsizetype i = 0; i < data.size(); ++i)
        data[i] = char(data[i] ^ stream[i]);
    return data;
}

constexpr auto Base64Options = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

QString encodeOnce(const QByteArray& plain)
{
    QByteArray salt(SaltSize, Qt::Uninitialized);
    for (char& c : salt)
        c = char(QRandomGenerator::global()->bounded(256));
    const QByteArray body = check(salt, plain) + plain;
    const QByteArray encoded = salt + xored(body, keystream(salt, body.size()));
    return QString::fromLatin1(encoded.toBase64(Base64Options));
}

} // namespace

QString SavePass(const QString& password)
{
    const QByteArray plain = password.toUtf8();
    // A fresh salt gives a different text, so a draw that happens to spell the password is
    // simply drawn again. Only very short passwords have a real chance of showing up at all.
    QString encoded = encodeOnce(plain);
    while (!password.isEmpty() && encoded.contains(password))
        encoded = encodeOnce(plain);
    return encoded;
}

QString GetPass(const QString& encoded)
{
    const QByteArray text = encoded.toLatin1();
    if (text.isEmpty() || QString::fromLatin1(text) != encoded)
        return {};
    const auto decoded = QByteArray::fromBase64Encoding(
        text, Base64Options | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() < SaltSize + CheckSize)
        return {};
    // Only the exact text SavePass wrote is accepted, not a variant that decodes to the same bytes.
    if (decoded.decoded.toBase64(Base64Options) != text)
        return {};

    const QByteArray salt = decoded.decoded.left(SaltSize);
    const QByteArray cipher = decoded.decoded.mid(SaltSize);
    const QByteArray body = xored(cipher, keystream(salt, cipher.size()));
    const QByteArray plain = body.mid(CheckSize);
    if (body.left(CheckSize) != check(salt, plain))
        return {};

    // A leading U+FEFF is part of the password, not a byte-order mark to drop.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString password = utf8(plain);
    if (utf8.hasError())
        return {};
    return password;
}

} // namespace corva
