#include "tst_password.h"

#include "corva.h"

#include <QSet>
#include <QTest>

using corva::GetPass;
using corva::SavePass;

void TstPassword::roundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("fitsColumn"); // the operator table holds 255 characters

    QString mixed;
    for (int i = 0; i < 200; ++i)
        mixed += QChar(u"aZ9 _-/+=!"[i % 10]);
    QString chinese;
    const QString hanzi = QStringLiteral("设备管理口令密码");
    for (int i = 0; i < 50; ++i)
        chinese += hanzi[i % hanzi.size()];

    QTest::newRow("empty") << QString() << true;
    QTest::newRow("one blank") << QStringLiteral(" ") << true;
    QTest::newRow("blanks kept") << QStringLiteral("  Pass Word  ") << true;
    QTest::newRow("case kept") << QStringLiteral("aBcD") << true;
    QTest::newRow("single letter") << QStringLiteral("A") << true;
    QTest::newRow("chinese") << QStringLiteral("管理员密码") << true;
    QTest::newRow("quotes") << QStringLiteral("it's \"q\" `b`") << true;
    QTest::newRow("backslashes") << QStringLiteral("C:\\a\\\\b\\") << true;
    QTest::newRow("line break and tab") << QStringLiteral("a\tb\r\nc") << true;
    QTest::newRow("leading U+FEFF") << QStringLiteral("\uFEFFx") << true;
    QTest::newRow("base64 alphabet") << QStringLiteral("AAAA") << true;
    // 185 UTF-8 bytes are the most that still encode within 255 characters.
    QTest::newRow("185 characters") << mixed.left(185) << true;
    QTest::newRow("200 characters") << mixed << false;
    QTest::newRow("50 chinese characters") << chinese << true;
}

void TstPassword::roundTrip()
{
    QFETCH(QString, password);
    QFETCH(bool, fitsColumn);
    // Each encoding draws a new salt, so many draws test the property, not one lucky text.
    for (int draw = 0; draw < 200; ++draw) {
        const QString encoded = SavePass(password);
        QVERIFY(!encoded.isEmpty());
        if (fitsColumn)
            QVERIFY2(encoded.size() <= 255, qPrintable(QString::number(encoded.size())));
        if (!password.isEmpty())
            QVERIFY2(!encoded.contains(password), qPrintable(encoded));
        QCOMPARE(GetPass(encoded), password);
    }
}

void TstPassword::encodingsVary()
{
    QSet<QString> seen;
    for (int i = 0; i < 20; ++i) {
        const QString encoded = SavePass(QStringLiteral("secret"));
        QCOMPARE(GetPass(encoded), QStringLiteral("secret"));
        seen.insert(encoded);
    }
    QVERIFY(seen.size() > 1);
}

void TstPassword::invalidDecodesEmpty_data()
{
    QTest::addColumn<QString>("encoded");

    const QString valid = SavePass(QStringLiteral("pw123"));
    QString flipped = valid;
    flipped[valid.size() / 2] = flipped[valid.size() / 2] == u'A' ? u'B' : u'A';

    QTest::newRow("empty") << QString();
    QTest::newRow("blank") << QStringLiteral("   ");
    QTest::newRow("plain password") << QStringLiteral("secret");
    QTest::newRow("plain long password") << QStringLiteral("Administrator2024");
    QTest::newRow("plain chinese") << QStringLiteral("管理员");
    QTest::newRow("garbage") << QStringLiteral("%%%***");
    QTest::newRow("one character changed") << flipped;
    QTest::newRow("truncated") << valid.left(valid.size() - 1);
    QTest::newRow("extended") << valid + u'A';
    QTest::newRow("trailing blank") << valid + u' ';
    QTest::newRow("padded") << valid + u'=';
}

void TstPassword::invalidDecodesEmpty()
{
    QFETCH(QString, encoded);
    QCOMPARE(GetPass(encoded), QString());
}
