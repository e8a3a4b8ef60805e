#!/usr/bin/env bash
# Retakes the README's screenshots in docs/ against the simulator on a virtual display:
# connecting, searching the line, reading, editing and writing a table, presenting the
# password, running the indicator check and taring the simulator's tank in the taring
# window, with the first page of its report. Needs what scripts/install-deps.sh installs
# plus ImageMagick and xdotool (apt-get install imagemagick xdotool). Run it from a build
# made by scripts/build.sh. The pauses give the console's 500 ms ticks time to answer.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${TRELVIK_SHOTS_INSIDE:-}" ]; then
  TRELVIK_SHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1000x700x24" "$0" "$@"
fi

line=/tmp/trelvik-shots-line
rm -f "$line"
build/tools/sim/trelvik-sim --link "$line" --no-drift >/tmp/trelvik-shots-sim.log 2>&1 &
sim=$!
build/src/console/trelvik-console &
console=$!
trap 'kill "$console" "$sim" ${tank_sim:-} 2>/dev/null || true' EXIT

until xdotool search --name "Trelvik Display" >/dev/null 2>&1 && [ -e "$line" ]; do sleep 0.1; done
sleep 0.5
click() { xdotool mousemove "$1" "$2" click --repeat "${3:-1}" 1; sleep 0.3; }
typed() { click "$1" "$2" 3; xdotool type --delay 30 "$3"; }
shot() { import -window root -crop 625x583+0+0 +repage "docs/$1"; }
screen() { import -window root -crop 800x640+0+0 +repage "docs/$1"; }  # a dialog box lies outside the window
ticks() { sleep "${1:-1.5}"; }

# Without a window manager the window's client area sits at the screen's corner.
main_page() { click 112 20; }
calibration_page() { click 198 20; }

# Connect and switch the poll on.
main_page
typed 136 82 "$line"             # the port box
click 228 84                     # "Подключить"
click 376 212                    # "Блокировка": poll the selected sensor

# Search the line: the address list then holds the sensors that answered.
calibration_page
click 540 388                    # "Поиск датчиков"
ticks 2
click 564 450                    # open the address list
sleep 0.5
shot console-search.png
xdotool key Escape; sleep 0.3

# Read "Sensor 3", change two points and write the table back.
click 144 82; xdotool key Escape; sleep 0.3
xdotool key --delay 300 Down Down
ticks
typed 140 473 "125"              # row 1, sensor value
typed 188 473 "40"               # row 1, litres
click 536 176                    # "Установить таблицу"
ticks
shot console-calibration.png

# Present the display unit's password (the simulator's is 12345).
main_page
click 376 80                     # "Ввести пароль"
sleep 0.5
xdotool type --delay 30 "12345"
screen console-password.png
xdotool key Return
ticks
shot console-main.png

# The indicator check runs until "СТОП" is pressed.
click 376 276                    # "Проверка"
ticks 2.5
shot console-indicator.png
click 376 276                    # "СТОП"

# Taring: a second console on a simulator whose sensor 1 stands in a 400 L tank, poured
# into through a pipe. Sessions and the report go to a scratch home's Documents.
kill "$console" "$sim"; wait "$console" "$sim" 2>/dev/null || true
home=/tmp/technician
rm -rf "$home"; mkdir -p "$home"
pipe=$home/pour
mkfifo "$pipe"
exec 3<>"$pipe"                  # held open both ways: the simulator never reads its end
rm -f "$line"
build/tools/sim/trelvik-sim --link "$line" --tank 1:400 <&3 >/tmp/trelvik-shots-tank.log 2>&1 &
tank_sim=$!
HOME=$home build/src/console/trelvik-console --port "$line" &
console=$!
until xdotool search --name "Trelvik Display" >/dev/null 2>&1 && [ -e "$line" ]; do sleep 0.1; done
sleep 0.5
main_page
click 228 84                     # "Подключить"
calibration_page
typed 553 449 "1"                # "Сет. номер": sensor 1, whose identity the next tick reads
ticks
xdotool key ctrl+t               # "Тарировка бака…"
sleep 1
taring=$(xdotool search --name "Тарировка бака" | head -1)
typed 179 300 "5"                # "Успокоение, с", short for the pictures
click 314 244                    # "Записать точку": the start point, 0 L
points() { grep -c '"litres"' "$home"/Documents/Тарировки/*.json 2>/dev/null || echo 0; }
until [ "$(points)" -ge 1 ]; do sleep 0.5; done
for pour in 40 40 40 40 40 40; do
  taken=$(points)
  echo "pour $pour" >&3
  typed 179 244 "$pour"; xdotool key Return
  [ "$taken" -eq 5 ] && { sleep 2; import -window "$taring" docs/console-taring.png; }
  until [ "$(points)" -gt "$taken" ]; do sleep 0.5; done
done
typed 172 597 "КамАЗ 65115, А123ВС 77"   # "Транспорт"
typed 382 597 "левый, 400 л"             # "Бак"
typed 616 597 "Иванов И. И."             # "Техник"
click 787 597                    # "Сохранить протокол…": the proposed name is taken
sleep 1
xdotool key Return
sleep 1
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$home"/Documents/Тарировки/*.pdf docs/taring-report
click 908 597                    # "Готово": the table goes to the main window's grid
rm -rf "$home"

# The window in English, connected and polling: the captions must fit the same layout.
kill "$console"; wait "$console" 2>/dev/null || true
build/src/console/trelvik-console --lang en --port "$line" &
console=$!
until xdotool search --name "Trelvik Display" >/dev/null 2>&1; do sleep 0.1; done
sleep 0.5
main_page
click 228 84                     # "Connect"
click 376 212                    # "Lock": poll the selected sensor
ticks
shot console-main-en.png
calibration_page
ticks
shot console-calibration-en.png
