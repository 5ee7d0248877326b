#include "common/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, GermanTextHasItsBytes) {
    const QString text = QStringLiteral("Prüfung§ÄÖÜß€");
    const QByteArray bytes = QByteArray::fromHex("5072fc66756e67a7c4d6dcdf80");
    EXPECT_EQ(cp1252::fromUnicode(text).toHex(), bytes.toHex());
    EXPECT_EQ(cp1252::toUnicode(bytes), text);
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    EXPECT_EQ(cp1252::fromUnicode(cp1252::toUnicode(all)).toHex(), all.toHex());
}

TEST(Cp1252, HighBlockMapsToTypographicCharacters) {
    struct Case {
        unsigned char byte;
        char16_t unicode;
    };
    const Case cases[] = {{0x80, 0x20AC}, {0x84, 0x201E}, {0x93, 0x201C}, {0x96, 0x2013},
                          {0x9F, 0x0178}, {0x81, 0x0081}, {0xA0, 0x00A0}, {0xFF, 0x00FF}};
    for (const Case& c : cases) {
        const QString text = cp1252::toUnicode(QByteArray(1, static_cast<char>(c.byte)));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text.at(0).unicode(), c.unicode) << int(c.byte);
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(cp1252::fromUnicode(QStringLiteral("a→b")), QByteArray("a?b"));
    // A character beyond the basic plane is one '?', not two.
    EXPECT_EQ(cp1252::fromUnicode(QString::fromUtf8("x\xF0\x9F\x94\x8Ay")), QByteArray("x?y"));
    EXPECT_EQ(cp1252::fromUnicode(QStringLiteral("Ω")), QByteArray("?"));
}
