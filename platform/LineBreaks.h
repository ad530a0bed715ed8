#pragma once

// Where a line of Japanese may not break: before closing punctuation and small kana, after opening
// punctuation. The help's wrapping reads these, and so does the script that lets a manual page
// break its Japanese lines (packaging/manpage-japanese.pl).
inline constexpr const char* kNoBreakBefore =
    "、。，．）」』］】〕・ー？！：；ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ)],.:;!?";
inline constexpr const char* kNoBreakAfter = "（「『［【〔([";
