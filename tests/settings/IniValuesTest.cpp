#include <gtest/gtest.h>

#include <random>

#include "settings/IniText.h"

namespace {

// Reading all keys in one pass finds exactly what a search for each key on its own finds, on
// texts pieced together from every kind of line, tricky ones included.
TEST(IniValues, OnePassFindsWhatEachSearchFinds) {
    const std::vector<QByteArray> pieces = {
        "[S]",   " [ s ] x", "[T]",    "[S",     "k=1", " K = 2 ", "k2='q'", "[k=3",
        "=4",    ";k=5",     "\tk2=6", "k 2=7",  "",    "  ",      "kk",     "\x95\x5c=8",
        "\x95[", "k=\"9",    "k2=\r",  "[S]]=0", "[]",  "\x81]=1", "\x81",   "k\x81=2"};
    const std::vector<QByteArray> keys = {"k", "K2", "[k", "k 2", "\x95\x5c", "kk", "none"};
    std::mt19937 random(9);
    for (int text = 0; text < 500; ++text) {
        QByteArray content;
        for (auto line = random() % 12; line > 0; --line) {
            content += pieces[random() % pieces.size()];
            content += (random() % 3 == 0) ? "\n" : "\r\n";
        }
        for (const QByteArray& section : {QByteArray("S"), QByteArray("t")}) {
            const auto values = IniText::FindValues(content, section, keys);
            for (std::size_t i = 0; i < keys.size(); ++i)
                EXPECT_EQ(values[i], IniText::FindValue(content, section, keys[i]))
                    << content.toStdString() << " / " << keys[i].toStdString();
        }
    }
}

}  // namespace
