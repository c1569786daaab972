#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// Official food names made to fit the 40-byte name field of the food table, and the search
// keywords that go with them.
namespace dalmain::mext {

// The sub-names of an official name, in either notation: full-width letters, digits, brackets
// and "％" become half width, "・" becomes "･", and blanks of either width separate sub-names
// (a blank inside brackets does not). "＜畜肉類＞　ぶた　［大型種肉］" gives "<畜肉類>", "ぶた",
// "[大型種肉]".
QStringList officialSubNames(const QString &name);

// A bracketed qualifier: a sub-name wholly inside <>, () or [] ("[水稲穀粒]", "(かんきつ類)").
bool isQualifier(const QString &subName);

// Katakana (and, with hiragana set, hiragana too) in their half-width forms, a voiced kana
// followed by ﾞ and a semi-voiced one by ﾟ; every other character stays as it is.
QString toHalfWidthKana(const QString &text, bool hiragana = false);

struct ShortName {
    QString name;
    bool shortened = false;  // the joined sub-names did not fit
    bool cut = false;        // nothing fitted whole: the name was cut at a character boundary
};

// The names of one food group's foods, in food-number order, each at most maxBytes of
// Shift-JIS. A name that fits keeps its sub-names, joined by one blank. A longer one loses, in
// this order of preference, repeated sub-names; bracketed qualifiers from the left (the broad
// categories first); the width of its katakana; and sub-names between the first and the last
// plain one, as few as possible. It takes the first such form that fits and differs from every
// other name of the group; when every form collides it takes the first that fits.
QList<ShortName> shortenGroupNames(const QList<QStringList> &subNames, int maxBytes = 40);

// Up to three search words of at most width bytes each: the first plain sub-name, then the
// qualifiers from the most specific, then the sub-names the short name lost. Kana-only words
// are stored in half-width katakana, which a search finds from any kana spelling of the key.
std::array<QString, 3> foodKeywords(const QStringList &subNames, const QString &shortName, int width = 10);

}  // namespace dalmain::mext
