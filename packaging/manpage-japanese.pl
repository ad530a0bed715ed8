# Lets groff break the lines of a manual page written in Japanese, which has no blanks to break
# at: puts a zero-width break point (\:) between two full-width characters, but not before closing
# punctuation or small kana nor after opening punctuation. Requests (lines that start with "." or
# "'") are left as they are. Run as: perl -CSD -i manpage-japanese.pl PAGE
use strict;
use warnings;
use utf8;

my $wide = qr/[\x{2E80}-\x{A4CF}\x{F900}-\x{FAFF}\x{FE30}-\x{FE4F}\x{FF00}-\x{FF60}\x{FFE0}-\x{FFE6}]/;
my $closing = qr/[、。，．）」』］】〕・ー？！：；ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ]/;
my $opening = qr/[（「『［【〔]/;

while (my $line = <>) {
    $line =~ s/(?<=$wide)(?<!$opening)(?=$wide)(?!$closing)/\\:/g unless $line =~ /^[.']/;
    print $line;
}
