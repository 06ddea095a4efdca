#!/bin/bash
# The probe's runs against a private copy of the game folder: the data folder copied (with no saved
# careers), everything else linked, so the player's careers are never touched.
# usage: probe_test.sh GAME_DIR CASE
set -u
game=$1
case_name=$2
probe=$game/probe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The options are copied too: the game writes them when they are missing.
for entry in "$game"/*; do
    case "$(basename "$entry")" in
    data | guifiles) ;;
    *) ln -s "$entry" "$work/" ;;
    esac
done
cp -r "$game/guifiles" "$work/guifiles"
cp -r "$game/data" "$work/data"
rm -rf "$work/data/profiles"
mkdir "$work/data/profiles"

fail() {
    echo "FAIL: $*"
    exit 1
}

# Runs the probe in the copy; stdout in $out, stderr in $err, exit code in $code.
run() {
    out=$("$probe" --data "$work" "$@" 2>"$work/stderr")
    code=$?
    err=$(cat "$work/stderr")
}

# A failing run: a non-zero exit and one sentence on stderr that contains the expected words.
expect_error() {
    local words=$1
    shift
    run "$@"
    [ "$code" -ne 0 ] || fail "probe $* succeeded"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "probe $* wrote more than one line: $err"
    [[ "$err" == "probe: "*"." ]] || fail "probe $* did not end its sentence: $err"
    [[ "$err" == *"$words"* ]] || fail "probe $* said '$err', not '$words'"
}

case $case_name in
first-match-day)
    # The user's match played at once (the match centre has its own case).
    run --seed 3 --set EnableFastSimulation=1 --new-career 0 --continue --dump 11048 --dump ID_FR_CLUB --dump-date
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    club=$(sed -n 's/^12081 ID_FR_CLUB Static visible enabled "\(.*\)"$/\1/p' <<<"$out")
    [ -n "$club" ] || fail "no club in the frame's header"
    grep -q '^11048 ID_DAYPANEL Window visible' <<<"$out" || fail "the day panel is not dumped first"
    grep -q '^  11050 ID_DAYPANEL_RESULTS Grid visible enabled rows=[1-9]' <<<"$out" || fail "no results"
    # The user's match is among the day's results, played to a score.
    grep -E "^    row [0-9]+: .*\"$club\".*\"[0-9]+-[0-9]+\"|^    row [0-9]+: .*\"[0-9]+-[0-9]+\".*\"$club\"" \
        <<<"$out" >/dev/null || fail "no result row of $club"
    [ "$(tail -n 1 <<<"$out")" != "01.08.2007" ] || fail "continue did not move the date"
    # The same seed plays the same day.
    first=$out
    run --seed 3 --set EnableFastSimulation=1 --new-career 0 --continue --dump 11048
    [ "$out" = "$(sed -n '/^11048/,/^12081/p' <<<"$first" | sed '$d')" ] || fail "the seed does not repeat the day"
    ;;
match-centre)
    # Watched on the drawn court: a thousand frames of fast play move the clock and the score.
    run --seed 3 --set Enable3DSimulation=0 --set EnableFastSimulation=0 --new-career 0 --continue \
        --click ID_CENTRE_FAST --frames 1000 --dump ID_CENTRE_CLOCK --dump ID_CENTRE_SCORE --dump ID_CENTRE_FINISH
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    grep -q '"Quarter" | "[12]" | "Time" | "[0-9]*:[0-9]*"' <<<"$out" || fail "no running clock"
    grep -q 'ID_CENTRE_SCORE Static visible enabled "0 - 0"' <<<"$out" && fail "no score after a thousand frames"
    grep -q 'ID_CENTRE_FINISH Button visible disabled' <<<"$out" || fail "the finish button is open before the end"
    expect_error "No match is being watched" --new-career 0 --frames 10
    ;;
emptied-list)
    # A careers list emptied (or lost) while the folders stay: the career is listed from its own
    # folder and loads; start-up writes the list again.
    run --new-career 3 --days 2 --save t1
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    : >"$work/data/profiles/profilelist.dat"
    run --load t1 --dump-date
    [ "$code" -eq 0 ] || fail "the career of an emptied list does not load: $err"
    [ "$out" = "03.08.2007" ] || fail "loaded on '$out'"
    grep -q '|t1|' "$work/data/profiles/profilelist.dat" || fail "the list was not written again"
    rm "$work/data/profiles/profilelist.dat"
    run --load t1 --dump-date
    [ "$code" -eq 0 ] && [ "$out" = "03.08.2007" ] || fail "the career of a lost list does not load: $err"
    ;;
save-load)
    run --new-career 3 --days 3 --dump-date --dump ID_FR_CLUB --save t1
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    saved_date=$(head -n 1 <<<"$out")
    [ "$saved_date" = "04.08.2007" ] || fail "three days from 01.08.2007 gave $saved_date"
    grep -q '^saved t1 in data/profiles/' <<<"$out" || fail "the save did not say where"
    saved_club=$(sed -n 2p <<<"$out")
    grep -q '|t1|' "$work/data/profiles/profilelist.dat" || fail "t1 is not in the list of careers"
    run --load t1 --dump-date --dump ID_FR_CLUB
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    [ "$(head -n 1 <<<"$out")" = "$saved_date" ] || fail "loaded on $(head -n 1 <<<"$out"), saved on $saved_date"
    [ "$(sed -n 2p <<<"$out")" = "$saved_club" ] || fail "loaded another club"
    # The profile id finds the same career (the only one in the list).
    id=$(cut -d'|' -f1 "$work/data/profiles/profilelist.dat")
    run --load "$id" --dump-date
    [ "$out" = "$saved_date" ] || fail "loading profile $id gave '$out' ($err)"
    # A loaded career plays on from its date.
    run --load t1 --days 1 --dump-date
    [ "$out" = "05.08.2007" ] || fail "a day after the load gave '$out' ($err)"
    ;;
screens)
    # The player's own way to a second career: back to the menu (which saves the first), the
    # new-career screen's combo, grid and name, then the start button.
    run --new-career 0 --click ID_FR_MENU --click ID_MM_NEWCAREER --select ID_NC_DATASET 1 \
        --select ID_NC_CLUBS 2 --type ID_NC_NAME Tess --click ID_NC_START --dump ID_FR_LEAGUE --dump-date
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    grep -q '^12084 ID_FR_LEAGUE Static visible enabled "EuroCup .* - *Manager Tess"$' <<<"$out" ||
        fail "the frame does not show the EuroCup career of Tess"
    [ "$(grep -c . "$work/data/profiles/profilelist.dat")" -eq 2 ] || fail "both careers should be listed"
    run --load Tess --dump ID_FR_LEAGUE
    [ "$code" -eq 0 ] && grep -q "Manager Tess" <<<"$out" || fail "Tess's career does not load: $err"
    # A month's turn books the closing balance of the month before.
    run --new-career 0 --days 31 --dump-date --dump-ledger
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    [ "$(head -n 1 <<<"$out")" = "01.09.2007" ] || fail "31 days from 01.08.2007 gave $(head -n 1 <<<"$out")"
    grep -q '^31.08.2007 kind=13 ' <<<"$out" || fail "no month change in the ledger: $out"
    ;;
finances)
    # A loan taken on the finances screen is paid out the next day: the running month's loans row,
    # the cash up by it, and the income and expense reports open on the same ledger.
    run --new-career 3 --dump ID_FR_CASH --open ID_FINANCES --select ID_FIN_AMOUNT 11 --click ID_FIN_TAKELOAN \
        --dump ID_FIN_LOANLIST --days 1 --dump ID_FINANCES --dump ID_FR_CASH --dump-ledger \
        --open ID_INCOME --dump ID_INC_TODAY_MONTH --open ID_EXPENSES --dump ID_EXP_RUNNING
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    grep -q '^  row 0: "\$ 12,000,000" | "12 months"$' <<<"$out" || fail "the loan is not listed: $out"
    grep -q '^01.08.2007 kind=4 scope=day income amount=12000000 ' <<<"$out" || fail "no pay-out: $out"
    running=$(sed -n '/^  10402 ID_FIN_RUNNING/,/^  10404/p' <<<"$out")
    grep -q 'row 8: "Loans" | "\$ 12,000,000" | "-"' <<<"$running" || fail "no loan in the running month: $running"
    grep -q '^    10410 ID_FIN_CANCELLOAN Button visible disabled' <<<"$out" || fail "yesterday's loan can be cancelled"
    cash=$(sed -n 's/^12083 ID_FR_CASH .*"\$ \(.*\)"$/\1/p' <<<"$out" | tr -d ,)
    [ "$(wc -l <<<"$cash")" -eq 2 ] && [ $(( $(tail -n 1 <<<"$cash") - $(head -n 1 <<<"$cash") )) -eq 12000000 ] ||
        fail "the cash did not rise by the loan: $cash"
    grep -q 'row 8: "Loans" | "\$ 12,000,000"' <<<"$(sed -n '/^10443/,$p' <<<"$out")" || fail "no loan in the income report"
    ;;
money)
    # The club's money moves: the 1st of September pays wages and the stadium, a home match brings
    # its takings, and the frame shows the new cash.
    # (Seed 2: one of the first two match days is at home.)
    run --seed 2 --set EnableFastSimulation=1 --new-career 3 --dump ID_FR_CASH --continue --continue --dump-ledger \
        --dump ID_FR_CASH
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    grep -q '^01.09.2007 kind=7 scope=month expense amount=[1-9]' <<<"$out" || fail "no wages on 1 September"
    grep -q '^01.09.2007 kind=10 scope=month expense amount=[1-9]' <<<"$out" || fail "no stadium upkeep"
    grep -q '^[0-9.]* kind=0 scope=day income amount=[1-9]' <<<"$out" || fail "no gate money: $out"
    cash=$(grep '^12083 ID_FR_CASH ' <<<"$out")
    [ "$(wc -l <<<"$cash")" -eq 2 ] && [ "$(head -n 1 <<<"$cash")" != "$(tail -n 1 <<<"$cash")" ] ||
        fail "the cash did not change: $cash"
    ;;
staff-mail)
    # Staff hired on the staff screen report within two months; every mail opened reads filled in.
    hire="--open ID_STAFF"
    for row in 1 6 3 4; do
        hire="$hire --select ID_STAFF_CATEGORIES $row --select ID_STAFF_CANDIDATES 0 --click ID_STAFF_HIRE"
    done
    run --set EnableFastSimulation=1 --new-career 3 $hire --days 62 --open ID_INBOX --dump ID_INBOX \
        --click ID_INBOX_FOLDER_STAFF --dump ID_INBOX_GRID --select ID_INBOX_GRID 0 --dump ID_INBOX_TEXT \
        --select ID_INBOX_GRID 1 --dump ID_INBOX_TEXT
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    grep -q '^  10220 ID_INBOX_FOLDER_STAFF Button visible enabled "Staff ([1-9]' <<<"$out" || fail "no staff mail: $out"
    grep -q '^10224 ID_INBOX_GRID Grid visible enabled rows=[2-9]' <<<"$out" || fail "fewer than two staff mails"
    ! grep -q 'XX[1-8]' <<<"$out" || fail "a placeholder is left unfilled"
    ;;
season-end)
    # Continue to the season's end, the results, then the next season: 1 August of the next year.
    # Only the user's league plays, which keeps the runs short under the sanitizers.
    fast="--set EnableLeagueSimulation=1 --set EnableFastSimulation=1"
    to_end=""
    for _ in $(seq 16); do to_end="$to_end --continue"; done
    season="$to_end --click ID_DAYPANEL_STATISTICS --click ID_RESULTS_STAGE --click ID_SEASONEND_NEXT --dump-date"
    # A third-division champion goes up with the prize: the first seed whose season the club wins
    # (a club that did not win has no next season to show, or stays where it is). Club 2 is one of
    # the division's strongest; club 3 won only while its slow-rated five stepped the fastest.
    champion=""
    for seed in 1 2 3 4 5 6; do
        run --seed $seed $fast --new-career 2 --dump ID_FR_CASH $to_end --click ID_DAYPANEL_STATISTICS \
            --dump ID_RESULTS_GRID --click ID_RESULTS_STAGE --click ID_SEASONEND_NEXT --dump-date --dump ID_FR_LEAGUE \
            --dump ID_FR_CASH --dump-ledger --open ID_FIXTURES --dump ID_FX_GRID
        if grep -q '^11275 ID_RESULTS_GRID Grid visible enabled rows=8 selected=0$' <<<"$out"; then
            champion=$seed
            break
        fi
    done
    [ -n "$champion" ] || fail "club 2 won none of six seasons"
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    grep -qx '01.08.2008' <<<"$out" || fail "the next season does not start on 01.08.2008"
    grep -q '"Second Division .*Manager Probe"' <<<"$out" || fail "the champion was not promoted"
    # The prize is in the cash and in the books: closing cash = opening cash + the season's bookings,
    # the prize among them.
    grep -q '^[0-9.]* kind=14 scope=day income amount=1000000 ' <<<"$out" || fail "the prize is not booked"
    cash=$(grep -E '^12083 ID_FR_CASH ' <<<"$out" | sed -E 's/.*"\$ (-?[0-9,]+)"$/\1/; s/,//g')
    opening=$(head -n 1 <<<"$cash")
    closing=$(tail -n 1 <<<"$cash")
    booked=$(awk '/ kind=[0-9]+ scope=/ { n = $0; sub(/.*amount=/, "", n); sub(/ .*/, "", n);
                 if ($0 ~ / income amount=/) s += n; else if ($0 ~ / expense amount=/) s -= n }
                 END { printf "%d", s }' <<<"$out")
    [ -n "$opening" ] && [ $((closing - opening - booked)) -eq 0 ] ||
        fail "the cash and the books differ: $opening -> $closing with $booked booked"
    grep -q 'row 0: "[0-9][0-9].09.2008"' <<<"$out" || fail "no new fixture list from September 2008"
    grep -q '"[0-9][0-9].[0-9][0-9].2008" | "[A-Za-z]*" | "[^"]*" | "[0-9]' <<<"$out" &&
        fail "the new season's fixtures are played already"
    # The rollover saved the career: loaded, it is the new season in the new league.
    run --load Probe --dump-date --dump ID_FR_LEAGUE
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    [ "$(head -n 1 <<<"$out")" = "01.08.2008" ] || fail "loaded on $(head -n 1 <<<"$out")"
    grep -q '"Second Division' <<<"$out" || fail "the loaded career is not in the Second Division"
    ;;
seasons)
    # Continue to the season's end, the results, then the next season: 1 August of the next year.
    # Only the user's league plays, which keeps the runs short under the sanitizers.
    fast="--set EnableLeagueSimulation=1 --set EnableFastSimulation=1"
    to_end=""
    for _ in $(seq 16); do to_end="$to_end --continue"; done
    season="$to_end --click ID_DAYPANEL_STATISTICS --click ID_RESULTS_STAGE --click ID_SEASONEND_NEXT --dump-date"
    # Three seasons in one run, on a seed whose club keeps its job (seed 1's is dismissed after its
    # third season, and that career ends in the main menu).
    run --seed 2 $fast --new-career 16 $season $season $season
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    [ "$out" = "$(printf '01.08.2008\n01.08.2009\n01.08.2010')" ] || fail "three seasons gave '$out'"
    ;;
club-money)
    # Three league seasons of a club that hires a business manager, stocks its fun shop, takes four
    # loans, orders a stadium stage, books a summer camp, signs and releases a player. At every
    # month's start the finance overview's balance is the header's cash, and the loan desk is closed
    # until the loans are repaid; the camp is charged once, the stock sells, the books add up to the
    # cash, and each money report gives the month just ended as the books have it. The third season
    # is saved on its last match day: where the club ends it last, its manager's career ends there.
    # Seed 4, whose club stays up through the first two seasons (seed 2's finishes the 2008/09
    # season too low since class-2 clubs block more, and that career ends before the season-end
    # button it clicks; seeds 1 and 3 stop before it too since the better five takes more rebounds).
    fast="--set EnableLeagueSimulation=1 --set EnableFastSimulation=1"
    month="--dump-date --dump ID_FR_CASH --open ID_FINANCES --dump ID_FIN_RUNNING --dump ID_FIN_TAKELOAN"
    steps="--dump ID_FR_CASH --open ID_STAFF --select ID_STAFF_CATEGORIES 1 --select ID_STAFF_CANDIDATES 0"
    steps="$steps --click ID_STAFF_HIRE --shop-level 1 --open ID_FUNSHOP --click ID_FUNSHOP_ITEM_2"
    steps="$steps --select ID_FUNSHOP_QUANTITY 9 --click ID_FUNSHOP_BUY --open ID_FINANCES --select ID_FIN_AMOUNT 0"
    steps="$steps --select ID_FIN_TERM 0"
    for _ in 1 2 3 4; do steps="$steps --click ID_FIN_TAKELOAN"; done
    steps="$steps --open ID_STADIUM --click ID_STADIUM_ORDER_03 --click ID_STADIUM_ASK_YES"
    steps="$steps --open ID_TRAINING --select ID_TR_CAMP_MONTH 1 --click ID_TR_BOOK_0"
    steps="$steps --open ID_TRANSFERS --select ID_TF_MARKET 0 --click ID_TF_NEGOTIATE --click ID_TF_NEG_ASK"
    steps="$steps --click ID_TF_NEG_SIGN --select ID_TF_SQUAD 0 --click ID_TF_RELEASE --click ID_TF_RELEASE_YES"
    for year in 2007 2008 2009; do
        feb=28
        [ $(((year + 1) % 4)) -eq 0 ] && feb=29
        for days in 31 30 31 30 31 31 $feb 31; do steps="$steps --days $days $month"; done
        for _ in $(seq 8); do steps="$steps --continue"; done
        [ $year = 2009 ] || steps="$steps --click ID_DAYPANEL_STATISTICS --click ID_RESULTS_STAGE --click ID_SEASONEND_NEXT $month"
    done
    run --seed 4 $fast --new-career 16 $steps --dump ID_MSG_TEXT --dump-date --dump ID_FR_CASH --dump-ledger \
        --save money --open ID_INBOX --click ID_INBOX_FOLDER_STAFF --dump ID_INBOX_GRID
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    # Eight Continues reach the third season's end; the ones after its last match day say why no
    # day follows.
    grep -q '^12071 ID_MSG_TEXT TextBox visible enabled "The season is over: every match has been played\.' \
        <<<"$out" || fail "Continue after the season's last match day did not say why"
    # Every month's start: the overview's balance is the cash; a new season's August brings the
    # cash forward, never $ 0.
    checks=$(awk '
        /^[0-9][0-9]\.[0-9][0-9]\.[0-9]{4}$/ { date = $0; next }
        /^12083 ID_FR_CASH / { cash = $0; sub(/.*"\$ /, "", cash); sub(/"$/, "", cash); next }
        /^  row 18: "Brought forward"/ { forward = $0; sub(/.*" \| "\$ /, "", forward); sub(/".*/, "", forward) }
        /^  row 19: "Balance"/ {
            balance = $0; sub(/.*" \| "\$ /, "", balance); sub(/".*/, "", balance); n++
            if (balance != cash) print "on " date " the overview says " balance ", the header " cash
            if (date ~ /^01\.08\./ && forward == "0") print "on " date " nothing is brought forward"
        }
        END { print n " months" }' <<<"$out")
    [ "$checks" = "26 months" ] || fail "$checks"
    # The desk is closed by the four loans until their last instalment (2 August 2008).
    desk=$(grep -E '^[0-9][0-9]\.[0-9][0-9]\.[0-9]{4}$|ID_FIN_TAKELOAN' <<<"$out" | paste - - | awk '{ print $1, $6 }')
    grep -q '^01.04.2008 disabled$' <<<"$desk" || fail "the desk was open with four loans: $desk"
    grep -q '^01.09.2008 enabled$' <<<"$desk" || fail "the desk did not reopen after the repayments: $desk"
    [ "$(grep -c '^[0-9.]* kind=4 scope=day income amount=1000000 ' <<<"$out")" -eq 4 ] || fail "not four loans"
    [ "$(grep -c '^[0-9.]* kind=4 scope=month expense ' <<<"$out")" -eq 48 ] || fail "not 48 instalments"
    # The July camp is charged once, in the summer the rollover passes over.
    [ "$(grep -c ' kind=12 ' <<<"$out")" -eq 1 ] || fail "the camp was not charged once"
    grep -q '^[0-9][0-9].0[67].2008 kind=12 scope=month expense amount=50000 ' <<<"$out" || fail "no camp in the summer of 2008"
    grep -q '^[0-9.]* kind=9 scope=day expense amount=[1-9]' <<<"$out" || fail "no stadium order"
    grep -q '^[0-9.]* kind=5 scope=day income amount=[1-9]' <<<"$out" || fail "no fun-shop sales"
    grep -q ' amount=0 "' <<<"$(grep -v ' kind=13 ' <<<"$out" | grep ' kind=[0-9]* ')" && fail "a booking of nothing"
    # The books add up to the cash.
    cash=$(grep -E '^12083 ID_FR_CASH ' <<<"$out" | sed -E 's/.*"\$ (-?[0-9,]+)"$/\1/; s/,//g')
    booked=$(awk '/ kind=[0-9]+ scope=/ { n = $0; sub(/.*amount=/, "", n); sub(/ .*/, "", n);
                 if ($0 ~ / income amount=/) s += n; else if ($0 ~ / expense amount=/) s -= n }
                 END { printf "%d", s }' <<<"$out")
    [ $(($(tail -n 1 <<<"$cash") - $(head -n 1 <<<"$cash") - booked)) -eq 0 ] ||
        fail "the cash moved by other than the books: $(head -n 1 <<<"$cash") -> $(tail -n 1 <<<"$cash"), $booked booked"
    # Every money report gives the month before its date as booked: each one opened in the loaded
    # career and set against the ledger's sums of that month.
    reports=$(sed -n '/^10224 ID_INBOX_GRID/,$p' <<<"$out" |
        sed -nE 's/^  row ([0-9]+): "([0-9][0-9])\.([0-9][0-9])\.([0-9]{4})" \| "Monthly money report".*/\1 \3 \4/p')
    [ "$(wc -l <<<"$reports")" -ge 24 ] || fail "fewer than 24 money reports: $reports"
    grep -q '^[0-9]* 04 2010$' <<<"$reports" || fail "no money report on 01.04.2010"
    ledger=$(grep ' kind=[0-9]* scope=' <<<"$out")
    opens=""
    while read -r row _ _; do opens="$opens --select ID_INBOX_GRID $row --dump ID_INBOX_TEXT"; done <<<"$reports"
    run --load money --open ID_INBOX --click ID_INBOX_FOLDER_STAFF $opens
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    texts=$(grep '^10217 ID_INBOX_TEXT ' <<<"$out")
    [ "$(wc -l <<<"$texts")" -eq "$(wc -l <<<"$reports")" ] || fail "not every report opened: $out"
    mismatches=$(paste -d ' ' <(awk '{ print $2, $3 }' <<<"$reports") \
        <(sed -E 's/.*Expenses: \$ (-?[0-9,]+)\\nIncome: \$ (-?[0-9,]+).*/\1 \2/; s/,//g' <<<"$texts") |
        while read -r month year expenses income; do
            m=$((10#$month - 1))
            y=$year
            [ "$m" -eq 0 ] && m=12 && y=$((year - 1))
            sums=$(awk -v key="$(printf '%02d.%d' "$m" "$y")" '
                substr($1, 4) == key && / kind=/ && !/ kind=13 / { n = $0; sub(/.*amount=/, "", n); sub(/ .*/, "", n);
                    if ($0 ~ / income /) i += n; else e += n } END { printf "%d %d", e, i }' <<<"$ledger")
            [ "$sums" = "$expenses $income" ] || echo "$month.$year reports '$expenses $income', the books '$sums'"
        done)
    [ -z "$mismatches" ] || fail "$mismatches"
    echo "$checks checked; $(wc -l <<<"$reports") money reports agree with the books"
    ;;
indicators)
    # Three panels for the club, each with its percentage and lines; a new career's values have not
    # moved, so no arrow shows. Showing them again and loading the career (which refreshes every
    # screen) writes no mail.
    run --new-career 3 --open ID_INDICATORS --dump ID_INDICATORS --dump ID_FR_MAILCOUNT --save ind
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    grep -q '^10821 ID_INDICATORS Window visible enabled "Indicators / ' <<<"$out" || fail "no caption line"
    for k in 1 2 3; do
        grep -q "ID_IND_PERCENT_$k Static visible enabled \"[0-9]*%\"" <<<"$out" || fail "no percentage in panel $k"
        grep -q "ID_IND_ARROW_$k Picture hidden " <<<"$out" || fail "an arrow in panel $k though nothing moved"
        grep -q "ID_IND_TEXT_$k TextBox visible enabled \"[A-Z]" <<<"$out" || fail "no lines in panel $k"
    done
    mails=$(grep '^10061 ID_FR_MAILCOUNT' <<<"$out")
    run --load ind --open ID_INDICATORS --open ID_NEWS --open ID_INDICATORS --dump ID_FR_MAILCOUNT
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    [ "$out" = "$mails" ] || fail "showing the indicators again changed the mail: '$mails' -> '$out'"
    # The evening of the club's first match the result has moved all three: each shows its arrow.
    run --set EnableFastSimulation=1 --set Enable3DSimulation=0 --new-career 3 --continue --open ID_INDICATORS \
        --dump ID_INDICATORS
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    for k in 1 2 3; do
        grep -q "ID_IND_ARROW_$k Picture visible enabled .* image=\".*PIC.*\\(up\\|down\\).png\"" <<<"$out" ||
            fail "no arrow in panel $k after a result: $out"
    done
    ;;
player-info)
    # The line-up's info button shows the chosen squad player: portrait, title, data and skills.
    run --new-career 3 --open ID_LINEUP --dump ID_LU_SQUAD --select ID_LU_SQUAD 0 --click ID_LU_INFO \
        --dump ID_PLAYERINFO
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    name=$(sed -n 's/^  row 0: "\([^"]*\)".*/\1/p' <<<"$out" | head -n 1)
    [ -n "$name" ] || fail "no squad player"
    grep -q "^  11271 ID_PI_TITLE Static visible enabled \"[0-9]*\. $name (" <<<"$out" || fail "the window does not show $name"
    grep -q '^  21284 ID_PI_PICTURE Picture visible enabled .* image=".*PLAYERPIC.*\.png"' <<<"$out" || fail "no portrait"
    grep -q '^  11266 ID_PI_PERSONAL Grid visible enabled rows=7' <<<"$out" || fail "no personal data"
    grep -q '^  11268 ID_PI_ATTRIBUTES_1 Grid visible enabled rows=13' <<<"$out" || fail "no skills"
    grep -q '^  11270 ID_PI_ATTRIBUTES_2 Grid visible enabled rows=3' <<<"$out" || fail "no condition"
    grep -q '^    row [0-9]*: "" | "[0-9]' <<<"$out" && fail "a skill without its name"
    # Its close button shuts it.
    expect_error "its window is not open" --new-career 3 --open ID_LINEUP --click ID_LU_INFO --click ID_PI_CLOSE \
        --click ID_PI_CLOSE
    ;;
errors)
    expect_error "ID_NO_SUCH" --new-career 0 --click ID_NO_SUCH
    expect_error "no element 99999" --new-career 0 --dump 99999
    expect_error "not an option of Options.ini" --set NoSuchKey=1 --new-career 0
    expect_error "0 or 1" --set Enable3DSimulation=yes --new-career 0
    expect_error "--frob" --new-career 0 --frob
    expect_error "--select needs a row number" --new-career 0 --select ID_NC_CLUBS x
    expect_error "--new-career N or --load NAME" --dump-date
    expect_error "No saved career is listed under 'nobody'" --load nobody
    expect_error "its window is not open" --new-career 0 --click ID_NC_START
    expect_error "there is no club 100000" --new-career 100000
    expect_error "is not a window" --new-career 0 --open ID_FR_SAVE
    expect_error "is no edit box" --new-career 0 --type ID_FR_SAVE text
    expect_error "it is disabled" --new-career 0 --open ID_FINANCES --click ID_FIN_CANCELLOAN
    expect_error "has 3 items; there is no item 5" --new-career 0 --click ID_FR_MENU --click ID_MM_NEWCAREER \
        --select ID_NC_DATASET 5
    expect_error "--mode only goes with --new-career" --load t1 --mode eurocup
    # A broken layout file is named, not taken for a folder that is no game folder.
    cp "$work/guifiles/GuiXML.xml" "$work/GuiXML.xml.kept"
    head -c 3000 "$work/GuiXML.xml.kept" >"$work/guifiles/GuiXML.xml"
    expect_error "The file guifiles\\GuiXML.xml is damaged: it does not read as XML (" --new-career 0
    expect_error ", column " --new-career 0
    # An element renamed in the layout is blamed on the layout, as the game blames it.
    sed 's/name="ID_LU_INFO"/name="ID_LU_INF0"/' "$work/GuiXML.xml.kept" >"$work/guifiles/GuiXML.xml"
    expect_error "The file guifiles\\GuiXML.xml is damaged: it has no element ID_LU_INFO in its window ID_LINEUP" \
        --new-career 0
    mv "$work/GuiXML.xml.kept" "$work/guifiles/GuiXML.xml"
    # So is a tooltip file without a hint.
    cp "$work/guifiles/tooltips.txt" "$work/tooltips.txt.kept"
    grep -v '^10220 ' "$work/tooltips.txt.kept" >"$work/guifiles/tooltips.txt"
    expect_error "The file guifiles\\tooltips.txt is damaged: it lacks the hint 10220 that" --new-career 0
    mv "$work/tooltips.txt.kept" "$work/guifiles/tooltips.txt"
    # A damaged tactics or formation file stops the probe as it stops the game at start-up. The ini
    # folder is a link to the game's own: the damage goes into a private copy.
    rm "$work/ini"
    cp -r "$game/ini" "$work/ini"
    head -c 300 "$game/ini/man_1.xml" >"$work/ini/man_1.xml"
    expect_error "The file ini\\man_1.xml is damaged: it does not read as XML" --new-career 0
    rm "$work/ini/1-2-1-1_diamond.xml"
    cp "$game/ini/man_1.xml" "$work/ini/man_1.xml"
    expect_error "The file ini\\1-2-1-1_diamond.xml is missing" --new-career 0
    rm -r "$work/ini"
    ln -s "$game/ini" "$work/ini"
    # World data that does not read is named, the league's as the tournaments'.
    head -c 5000 "$game/data/playerlist.dat" >"$work/data/playerlist.dat"
    expect_error "The file data/playerlist.dat is damaged: it does not read as the game's data" --new-career 0
    cp "$game/data/playerlist.dat" "$work/data/playerlist.dat"
    printf '\xff\xff\xff\xff\xff\xff\xff\xff' | dd of="$work/data/EuroCup/teamlist.dat" conv=notrunc status=none
    expect_error "The file data/EuroCup/teamlist.dat is damaged" --new-career 0
    cp "$game/data/EuroCup/teamlist.dat" "$work/data/EuroCup/teamlist.dat"
    # A refused load names the file and why.
    run --new-career 0 --save Damaged
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    folder=$(awk -F'|' '$9 == "Damaged" { print $2 }' "$work/data/profiles/profilelist.dat")
    [ -n "$folder" ] || fail "the career Damaged is not listed"
    printf x >>"$work/data/profiles/$folder/teamlist.dat"
    expect_error "teamlist.dat is not the one that was saved" --load Damaged
    ;;
inbox)
    # A new career's start mails: every placeholder filled, read mail stays read after a save.
    run --new-career 0 --open ID_INBOX --dump ID_INBOX --select ID_INBOX_GRID 0 --dump ID_INBOX_TEXT \
        --select ID_INBOX_GRID 1 --dump ID_INBOX_TEXT --click ID_INBOX_FOLDER_LEAGUE \
        --select ID_INBOX_GRID 0 --dump ID_INBOX_TEXT --dump ID_FR_MAILCOUNT --save mail
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    grep -q '^  10224 ID_INBOX_GRID Grid visible enabled rows=[1-9]' <<<"$out" || fail "no start mail"
    ! grep -q 'XX[1-8]' <<<"$out" || fail "a placeholder is left unfilled"
    [ "$(grep -c '^10217 ID_INBOX_TEXT TextBox visible enabled "[^"]' <<<"$out")" -eq 3 ] ||
        fail "three opened mails expected"
    grep -q '^10061 ID_FR_MAILCOUNT Static visible enabled "All read"$' <<<"$out" || fail "mail left unread"
    run --load mail --open ID_INBOX --dump ID_INBOX --dump ID_FR_MAILCOUNT
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    grep -q '^    row 0: .*"Read"$' <<<"$out" || fail "the loaded career lost its read mail"
    grep -q '^10061 ID_FR_MAILCOUNT Static visible enabled "All read"$' <<<"$out" || fail "counts differ after loading"
    ;;
tournament)
    # Continue alone runs a tournament day by day: on a round's last day the next Continue leads on
    # to the next round; a club that is out, or the final played, is shown the results instead.
    days=""
    for _ in $(seq 1 16); do days="$days --continue --dump-date --dump ID_DAYPANEL"; done
    # How far the user's club gets depends on its matches: the first club and seed that play the
    # wanted path (a line of the output matching the pattern). Every nation of the world cup is
    # tried: the user's club wins the title about one time in 24, and any retuning moves who does.
    first_run_that() {
        local want=$1
        shift
        for club in $(seq 0 23); do
            for seed in 1 2 3 4 5; do
                run --seed "$seed" --set EnableFastSimulation=1 --new-career "$club" "$@"
                [ "$code" -eq 0 ] && [ -z "$want" -o -n "$(grep -xE "$want" <<<"$out")" ] && return 0
            done
        done
        fail "no club and seed of 120 play: $*"
    }
    # The day panel's caption names the round the club plays.
    rounds() { grep -o '^11048 ID_DAYPANEL Window visible enabled "Match day / [^/]*' <<<"$out" | sed 's/.*Match day \/ //'; }
    # The world cup down to the final: the groups, the second round, the quarter- and semi-finals
    # on their fixed dates, then the final names its champion and the career ends in the main menu.
    # The search for a club that reaches the final can take dozens of tries: the sanitizer builds
    # check the rounds through the two shorter paths below, which build every round as well.
    if [ -z "${FB_PROBE_SANITIZED:-}" ]; then
        first_run_that '11048 ID_DAYPANEL Window visible enabled "Match day / Final / .*' --mode worldcup $days \
            --dump ID_RESULTS_STAGE_TEXT --click ID_RESULTS_STAGE --dump-date --dump ID_MAINMENU
        echo "$out" | grep -v '^ '
        for day in 24.08.2006 27.08.2006 30.08.2006 01.09.2006 03.09.2006; do
            grep -qx "$day" <<<"$out" || fail "the rounds did not end on their fixed dates: no $day"
        done
        [ "$(grep -x '[0-9.]*' <<<"$out" | tail -n 1)" = "01.08.2007" ] || fail "the career did not end after the final"
        rounds | grep -q '^Second round: Pool' || fail "no second round"
        rounds | grep -q '^Quarter-final [1-4]' || fail "no quarter-final"
        rounds | grep -q '^Semi-final [12]' || fail "no semi-final"
        grep -q '^11278 ID_RESULTS_STAGE_TEXT TextBox visible enabled ".*Tournament champions: [A-Z]' <<<"$out" ||
            fail "no champion after the final"
        grep -q '^10001 ID_MAINMENU Picture visible' <<<"$out" || fail "the finished tournament did not end the career"
    fi
    # Out after the groups: the group's last day and one more Continue show the results; the rest
    # is played without the club, and its champion is shown (the round builders themselves are
    # covered under the sanitizers by the career tests).
    if [ -z "${FB_PROBE_SANITIZED:-}" ]; then
    first_run_that '11274 ID_RESULTS_TITLE Static visible enabled "World cup - final ranking - your tournament is over"' \
        --mode worldcup --continue --continue --continue --continue --continue --continue \
        --dump ID_RESULTS_TITLE --dump ID_RESULTS_STAGE_TEXT --click ID_RESULTS_STAGE --dump-date
    echo "$out"
    grep -q '\\nTournament champions: [A-Z]' <<<"$out" || fail "no champion under the verdict"
    [ "$(tail -n 1 <<<"$out")" = "01.08.2007" ] || fail "the career did not end"
    fi
    # The EuroCup's second round: two leagues of six over 7-12 September, reached by Continue from
    # the groups' last day on 5 September.
    first_run_that "12.09.2007" --mode eurocup $days
    echo "$out" | grep -v '^ '
    grep -qx "05.09.2007" <<<"$out" || fail "the EuroCup groups did not end on their fixed date"
    rounds | grep -q '^Second round: Pool [EF]' || fail "no EuroCup second round"
    # Out after the EuroCup groups: the rest is played on the groups' last day, and the statistics'
    # final ranking follows how far each club went, so the games played never rise down the table.
    first_run_that '  item 0: "EuroCup - final ranking" data=0' --mode eurocup --continue --continue --continue \
        --open ID_STATISTICS --dump ID_ST_COMPETITION --dump ID_ST_STANDINGS
    games=$(grep -E '^  row [0-9]+: "[0-9]' <<<"$out" | awk -F'" [|] "' '{ print $4 }')
    [ "$(wc -l <<<"$games")" -eq 16 ] || fail "the EuroCup's final ranking has not its sixteen clubs"
    [ "$games" = "$(sort -rn <<<"$games")" ] ||
        fail "the statistics' final ranking puts clubs out earlier above later ones: $(tr '\n' ' ' <<<"$games")"
    ;;
player-comparison)
    # The players' figures in two panels: the left switched to the field goals while the right
    # keeps the overview, row for row.
    steps="--seed 3 --set EnableFastSimulation=1 --new-career 3 --continue --continue --open ID_STATSCOMPARE"
    run $steps --dump ID_SC_RIGHT_GRID
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    right_before=$(grep -E '^  (header|row)' <<<"$out" | sed 's/^ *//')
    run $steps --select ID_SC_LEFT_CATEGORY 2 --dump ID_STATSCOMPARE
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out" | grep -Ev "^    row ([5-9]|[1-9][0-9]+):"
    grep -q '^10358 ID_STATSCOMPARE Window visible enabled "Player comparison / ' <<<"$out" || fail "no caption line"
    left=$(sed -n '/^  10359 ID_SC_LEFT_GRID/,/^  [0-9-]/p' <<<"$out")
    right=$(sed -n '/^  10360 ID_SC_RIGHT_GRID/,/^  [0-9-]/p' <<<"$out" | grep -E '^    (header|row)' | sed 's/^ *//')
    grep -q '^  10359 ID_SC_LEFT_GRID Grid visible enabled rows=[1-9]' <<<"$left" || fail "no players in the left grid"
    grep -q 'header: "Pos." | "Name" | "Club" | "G" | "FGM/G" | "FGA/G" | "FGM" | "FGA" | "FG%"' <<<"$left" ||
        fail "the left panel did not switch to the field goals"
    grep -q '^header: "Pos." | "Name" | "Club" | "G" | "MIN" | "PTS" | "FG"' <<<"$right" ||
        fail "the right panel left the overview"
    [ -n "$right" ] && [ "$right" = "$right_before" ] || fail "switching the left panel changed the right one"
    # Played matches show in the figures: someone has games and field goals.
    grep -Eq 'row [0-9]+: "[A-Z-]+" \| "[^"]+" \| "[^"]+" \| "[1-9][0-9]*" \| "[0-9]+\.[0-9]{2}"' <<<"$left" ||
        fail "no player with games in the left grid"
    # The player reaches it from the statistics windows.
    run --new-career 3 --click ID_FR_STATISTICS --click ID_ST_TAB_PLAYERS --dump ID_SC_LEFT_CATEGORY \
        --click ID_SC_TAB_STANDINGS --dump ID_STATISTICS
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    grep -q '^10364 ID_SC_LEFT_CATEGORY Combo visible enabled items=11 selected=0$' <<<"$out" ||
        fail "the Players tab did not open the comparison"
    grep -q '^10785 ID_STATISTICS Window visible' <<<"$out" || fail "the Standings tab did not lead back"
    ;;
club-overview)
    # The career's home page after the first match, then a whole season: no screen asks for a
    # picture that is not there.
    rm -f "$work/log.txt"
    run --seed 1 --set EnableFastSimulation=1 --new-career 3 --continue --open ID_CLUBOVERVIEW --dump ID_CLUBOVERVIEW
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    grep -q '^10066 ID_CLUBOVERVIEW Window visible enabled ".* / .* / .* / [0-9.]* / 2007-2008 Season"' <<<"$out" ||
        fail "no caption line"
    grep -q '^    row 0: "Win %:" | "[0-9]*\.[0-9][0-9]"' <<<"$out" || fail "no win share"
    grep -q '^  10211 ID_OV_NEXT Grid visible enabled rows=[1-9]' <<<"$out" || fail "no coming matches"
    grep -q '^  10207 ID_OV_COMPARE_TITLE Static visible enabled "Next opponent: ' <<<"$out" || fail "no opponent"
    grep -q '^  10080 ID_OV_PART0 Picture visible enabled at [0-9,]* 400x256' <<<"$out" || fail "no arena"
    # Two months under the sanitizers: every screen has asked for its pictures by then.
    days=280
    [ -n "${FB_PROBE_SANITIZED:-}" ] && days=60
    run --seed 1 --set EnableFastSimulation=1 --set Enable3DSimulation=0 --new-career 3 --days "$days" --dump-date
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    if [ -f "$work/log.txt" ] && grep -q "cannot load" "$work/log.txt"; then
        fail "pictures missing: $(grep -m 3 'cannot load' "$work/log.txt")"
    fi
    ;;
transfers)
    # A market player of another club signed through the contract talks: he joins the squad, the
    # fee leaves the cash and is booked, a certificate lists the move, and a saved career keeps it
    # together with a release.
    run --new-career 3 --dump ID_FR_CASH --open ID_TRANSFERS --select ID_TF_TEAMS 1 --select ID_TF_MARKET 0 \
        --click ID_TF_NEGOTIATE --click ID_TF_NEG_ASK --dump ID_TF_NEG_TEXT --click ID_TF_NEG_SIGN \
        --dump ID_TF_SQUAD --dump ID_FR_CASH --click ID_TF_CERTIFICATES --dump ID_CERT_GRID --dump-ledger
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    echo "$out"
    grep -q 'Agreed\. I would like to play for you\.' <<<"$out" || fail "the demand was not accepted"
    name=$(sed -n 's/^  row 0: "\([^"]*\)" | "[A-Z-]*" | "[0-9]*" | "Ashford Rovers" | .*/\1/p' <<<"$out")
    [ -n "$name" ] || fail "no certificate from Ashford Rovers"
    grep -q "^  row 12: \"[0-9]*\" | \"$name\" | " <<<"$out" || fail "$name is not in the squad"
    fee=$(sed -n "s/^01.08.2007 kind=15 scope=day expense amount=\([0-9]*\) \"$name\"$/\1/p" <<<"$out")
    [ -n "$fee" ] || fail "no transfer fee booked"
    shown=$(sed -n 's/.*transfer fee of \$ \([0-9,]*\)\..*/\1/p' <<<"$out" | tr -d ,)
    [ "$shown" = "$fee" ] || fail "the talks showed a fee of '$shown', signing charged $fee"
    price=$(sed -n '/ID_CERT_GRID/,$s/^  row 0: .* | "\$ \([0-9,]*\)"$/\1/p' <<<"$out" | tr -d ,)
    [ "$price" = "$fee" ] || fail "the certificate's price is '$price', signing charged $fee"
    cash=$(sed -n 's/^12083 ID_FR_CASH .*"\$ \(.*\)"$/\1/p' <<<"$out" | tr -d ,)
    [ "$(wc -l <<<"$cash")" -eq 2 ] && [ $(( $(head -n 1 <<<"$cash") - $(tail -n 1 <<<"$cash") )) -eq "$fee" ] ||
        fail "the cash did not fall by the fee $fee: $cash"
    run --new-career 3 --open ID_TRANSFERS --select ID_TF_TEAMS 1 --select ID_TF_MARKET 0 --click ID_TF_NEGOTIATE \
        --click ID_TF_NEG_ASK --click ID_TF_NEG_SIGN --select ID_TF_SQUAD 0 --click ID_TF_RELEASE \
        --click ID_TF_RELEASE_YES --save Probe
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    run --load Probe --open ID_CERTIFICATES --dump ID_CERT_GRID --open ID_LINEUP --dump ID_LU_SQUAD
    [ "$code" -eq 0 ] || fail "exit $code: $err"
    grep -q '^10841 ID_CERT_GRID Grid visible enabled rows=2 ' <<<"$out" || fail "the certificates were not kept: $out"
    grep -q '^  row 1: "[^"]*" | "[A-Z-]*" | "[0-9]*" | "[^"]*" | "No club" | ' <<<"$out" || fail "no release kept"
    grep -q "\"$name\"" <<<"$(sed -n '/ID_LU_SQUAD/,$p' <<<"$out")" || fail "$name is not in the saved line-up"
    ;;
readme)
    # Every probe command the README shows runs as written, each on a fresh folder of saved careers.
    # Commands that start with "cd build/game" run from a folder whose build/game is this copy; the
    # others run in the copy with the probe on the PATH, as its README lines are meant.
    readme=$(dirname "$0")/../../README.md
    [ -f "$readme" ] || fail "no README at $readme"
    root=$(mktemp -d)
    trap 'rm -rf "$work" "$root"' EXIT
    mkdir -p "$root/build"
    ln -s "$work" "$root/build/game"
    count=0
    while IFS= read -r span; do
        command=${span:1:${#span}-2}
        [[ "$command" =~ ^(cd\ build/game\ \&\&\ )?(\./)?probe\ -- ]] || continue
        rm -rf "$work/data/profiles"
        mkdir "$work/data/profiles"
        where=$work
        [[ "$command" == "cd build/game"* ]] && where=$root
        output=$(cd "$where" && PATH="$work:$PATH" bash -c "$command" 2>&1)
        code=$?
        [ "$code" -eq 0 ] || fail "the README's '$command' ended with $code: $(tail -n 1 <<<"$output")"
        grep -q '^[0-9]* ID_\|^[0-9][0-9.]*$\|^ledger' <<<"$output" || fail "the README's '$command' showed nothing: $output"
        count=$((count + 1))
    done < <(tr '\n' ' ' <"$readme" | tr -s ' ' | grep -o '`[^`]*`')
    # The README shows a dozen or so; none found means the extraction broke, not that all ran.
    [ "$count" -ge 8 ] || fail "only $count probe commands found in the README"
    echo "$count README commands ran"
    ;;
*)
    fail "no test case $case_name"
    ;;
esac
echo "PASS: $case_name"
