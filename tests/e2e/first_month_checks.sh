# What the two first-month sessions share (first_month_2d_session.sh, first_month_session.sh): the
# match screens' windows read off the screen, the change of a player who must leave, and the checks
# of a saved career's match records. Sourced after session.sh.

caption='#243A58' # window captions

# What the match screens show, on the screen's own pixels: the must-leave message (400x170 at
# 312,300), the quarter break (400x200 at 312,284) and the tactics window (828x688 at 188,72), each
# by the right end of its caption bar; both views open the same windows at the same places.
popup_open() { shows_colour "$1" 180x18+522+303 "$caption" 2800 2; }
break_open() { shows_colour "$1" 180x14+522+288 "$caption" 2200 2; }
tactics_open() { shows_colour "$1" 280x16+720+78 "$caption" 3800 2; }
# The tactics window's lists (five on court from y 336, the bench from y 480, 22 pixels a row): a
# name drawn red belongs to a player who is hurt or fouled out.
red_name() { shows_colour "$1" 170x16+206+$2 '#FF0000' 40 15; }
# Each player on court listed in red goes off for the first bench player who may play; a swap the
# window refuses while a change is under way leaves its message, which is closed.
change_unfit() {
    local row bench
    for row in 0 1 2 3 4; do
        shot swap
        red_name swap $((329 + 22 * row)) || continue
        for bench in 0 1 2 3 4 5 6; do
            red_name swap $((473 + 22 * bench)) && continue
            press 300 $((336 + 22 * row))
            press 300 $((480 + 22 * bench))
            press 294 704 # Swap players
            sleep 0.5
            shot swap
            popup_open swap && press 512 439 && sleep 0.5
            break
        done
    done
}

# saved_career <manager>: sets $saved to the folder of the career saved under that manager's name.
saved_career() {
    local folder
    folder=$(cut -d'|' -f2 <(grep "$1" "$work/data/profiles/profilelist.dat") | head -1)
    [ -n "$folder" ] || fail "the saved career of $1 is not listed"
    saved="$work/data/profiles/$folder"
}

# squad_minutes <career folder> <match days>: the squad's records hold that many match days, each
# with five players' 48 minutes on court (more after an overtime).
squad_minutes() {
    perl -e 'local $/; open(my $f, "<:raw", $ARGV[0]) or die; my $b = <$f>; my %s;
        for my $r (0 .. unpack("l<", $b) - 1) { my @f = unpack("l<30", substr($b, 4 + 120 * $r, 120));
            $s{sprintf("%04d-%02d-%02d", @f[1 .. 3])} += $f[4] }
        print "$_ $s{$_}\n" for sort keys %s' "$1/playerstatlist.dat" >"$out/minutes.txt"
    [ "$(wc -l <"$out/minutes.txt")" -eq "$2" ] ||
        fail "the squad's records hold $(wc -l <"$out/minutes.txt") match days, not $2"
    local day seconds
    while read -r day seconds; do
        [ "$seconds" -ge 14300 ] && [ "$seconds" -le 21000 ] ||
            fail "the squad's records give $seconds seconds on court on $day, not five players' 48 minutes"
    done <"$out/minutes.txt"
}

# few_hurt <career folder>: the squad is never rested by hand here, so many leave the court worn
# out; only the few hurt in a ball contest are booked out (a worn-out player once was, for ten days).
few_hurt() {
    local hurt
    hurt=$(perl -e 'local $/; open(my $f, "<:raw", $ARGV[0]) or die; my $b = <$f>; my $n = 0;
        for my $r (0 .. unpack("l<", $b) - 1) { $n++ if unpack("l<", substr($b, 4 + 120 * $r + 24, 4)) }
        print $n' "$1/playerstatlist.dat")
    [ "$hurt" -le 3 ] || fail "$hurt of the squad's match records say hurt: worn-out players are booked out"
}
