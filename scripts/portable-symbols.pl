#!/usr/bin/perl

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Makes a symbols file written on a 64-bit architecture hold on every
# architecture the packages build for (Architecture: any). The names that
# mangle a size differ on 32-bit ones:
#   - a size as a template argument (std::array<T, 8>: Lm8E, Lj8E on 32 bits)
#     becomes L{size_t}8E, which pkgkde_symbolshelper expands per
#     architecture (the "subst" tag);
#   - std::dynamic_extent (std::span<T>: Lm18446744073709551615E) is another
#     number on 32 bits: the entry is written twice, tagged arch-bits=64 and
#     arch-bits=32;
#   - a standard template's difference type as a template argument
#     (std::ptrdiff_t: l, i on 32 bits) becomes {ssize_t}.
# Edits the files named in place; an entry already converted is kept as it is.
#
#   scripts/portable-symbols.pl debian/*.symbols
use strict;
use warnings;

my $max64 = '18446744073709551615';
my $max32 = '4294967295';

$^I = '';
while (my $line = <>) {
    my ($tags, $name, $rest) = $line =~ /^ (?:\(([^)]*)\))?(_Z\S+)(\s.*)$/s;
    if (!defined $name || (defined $tags && $tags =~ /\b(?:subst|arch-bits=)/)) {
        print $line;
        next;
    }
    my @tags = defined $tags ? split(/\|/, $tags) : ();
    my $tagged = sub {
        my ($name, @more) = @_;
        my @all = (@tags, @more);
        return ' ' . (@all ? '(' . join('|', @all) . ')' : '') . $name . $rest;
    };
    if ($name =~ /Lm${max64}E/) {
        (my $bits32 = $name) =~ s/Lm([0-9]+)E/'Lj' . ($1 eq $max64 ? $max32 : $1) . 'E'/ge;
        print $tagged->($name, 'arch-bits=64');
        print $tagged->($bits32, 'arch-bits=32');
        next;
    }
    my $changed = ($name =~ s/Lm([0-9]+)E/L{size_t}$1E/g);
    if ($name =~ /^_Z(?:N?K?St|N9__gnu_cxx)/ && grep { /^optional=templinst$/ } @tags) {
        $changed += ($name =~ s/(?<=_)l(?=E)/{ssize_t}/g);
    }
    print $changed ? $tagged->($name, 'subst') : $line;
}
