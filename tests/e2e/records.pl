#!/usr/bin/perl
# records.pl <career folder>...: each player's figures summed over the saved match records of the
# folders given (a saved career keeps the user's club in its folder and the world in MainData), one
# line a player: name|games (records with time on court)|seconds|points|offensive rebounds|defensive rebounds|rebounds
use strict;
use warnings;

sub slurp {
    local $/;
    open(my $file, '<:raw', $_[0]) or die "cannot read $_[0]\n";
    my $bytes = <$file>;
    close $file;
    return $bytes;
}

my (%name, %sum);
for my $dir (@ARGV) {
    # playerlist.dat: a count, then each player as the game writes him (texts are a length, the
    # bytes and a closing zero).
    my $players = slurp("$dir/playerlist.dat");
    my $at = 0;
    my $int = sub { my $v = unpack('l<', substr($players, $at, 4)); $at += 4; $v };
    my $text = sub { my $n = $int->(); my $s = substr($players, $at, $n); $at += $n + 1; $s };
    for (1 .. $int->()) {
        my $id = $int->();
        $int->() for 1 .. 3;    # birth date
        my $player = $text->();
        $int->() for 1 .. 4;    # club, two reserved, origin
        $text->();              # note
        $int->() for 1 .. 65;   # the 64 words and the contract's months
        $text->();              # picture
        $int->() for 1 .. 3;    # contract date
        $at += 8;               # overall
        $int->() for 1 .. 4;    # looks
        $name{$id} = $player;
    }
    # playerstatlist.dat: a count, then 30 figures a record; the first is the player's id.
    my $stats = slurp("$dir/playerstatlist.dat");
    for my $row (0 .. unpack('l<', substr($stats, 0, 4)) - 1) {
        my @f = unpack('l<30', substr($stats, 4 + 120 * $row, 120));
        my $s = $sum{$f[0]} //= [0, 0, 0, 0, 0, 0];
        $s->[0] += 1 if $f[4] > 0;
        $s->[1] += $f[4];
        $s->[2] += $f[9];
        $s->[3] += $f[21];
        $s->[4] += $f[22];
        $s->[5] += $f[29];
    }
}
for my $id (sort { $a <=> $b } keys %sum) {
    print join('|', $name{$id} // "#$id", @{$sum{$id}}), "\n";
}
