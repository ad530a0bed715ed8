# Lets groff break the lines of a manual page written in Japanese, which has no blanks to break
# at: puts a zero-width break point (\:) between two full-width characters, but not where
# platform/LineBreaks.h forbids a break. Requests (lines that start with "." or "'") are left as
# they are. Run as: perl -CSD -i manpage-japanese.pl LineBreaks.h PAGE
use strict;
use warnings;

open(my $rules, '<:utf8', shift @ARGV) or die "LineBreaks.h: $!";
my $text = do { local $/; <$rules> };
close $rules;
my ($before) = $text =~ /kNoBreakBefore\s*=\s*"([^"]*)"/ or die "LineBreaks.h: no kNoBreakBefore";
my ($after) = $text =~ /kNoBreakAfter\s*=\s*"([^"]*)"/ or die "LineBreaks.h: no kNoBreakAfter";
my $closing = qr/[\Q$before\E]/;
my $opening = qr/[\Q$after\E]/;
my $wide = qr/[\x{2E80}-\x{A4CF}\x{F900}-\x{FAFF}\x{FE30}-\x{FE4F}\x{FF00}-\x{FF60}\x{FFE0}-\x{FFE6}]/;

while (my $line = <>) {
    $line =~ s/(?<=$wide)(?<!$opening)(?=$wide)(?!$closing)/\\:/g unless $line =~ /^[.']/;
    print $line;
}
