# What the two first-month sessions share (first_month_2d_session.sh, first_month_session.sh): the
# change of a player who must leave and the checks of a saved career's match records. Sourced after
# session.sh, which reads the match's windows off the screen.

# The window's answer to Swap players for court row $2: the row lists a player who may play, or a
# message refuses the swap while a change is under way.
swap_answered() { popup_open "$1" || ! red_name "$1" $((329 + 22 * $2)); }
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
            expect 15 swap "Swap players was not answered" swap_answered "$row"
            ! popup_open swap || close_popup swap
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
