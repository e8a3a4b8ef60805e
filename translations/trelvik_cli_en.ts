<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Cli</name>
    <message>
        <source>Последовательный порт: &quot;COM3:&quot; или путь к устройству, например /dev/ttyUSB0. По умолчанию — переменная окружения TRELVIK_PORT.</source>
        <translation>The serial port: &quot;COM3:&quot; or a device path such as /dev/ttyUSB0. Default: the environment variable TRELVIK_PORT.</translation>
    </message>
    <message>
        <source>Сколько раз переспрашивать при отсутствии или порче ответа (от 0 до 100, по умолчанию 2).</source>
        <translation>How often a missing or bad answer is asked again (0 to 100, default 2).</translation>
    </message>
    <message>
        <source>Эта справка.</source>
        <translation>This text.</translation>
    </message>
    <message>
        <source>Сначала предъявить блоку индикации пароль N.</source>
        <translation>Present the display unit&apos;s password N first.</translation>
    </message>
    <message>
        <source>Язык сообщений: ru или en. По умолчанию — переменная окружения TRELVIK_LANG, иначе язык системы.</source>
        <translation>The language of the messages: ru or en. Default: the environment variable TRELVIK_LANG, else the system&apos;s language.</translation>
    </message>
    <message>
        <source>последовательные порты системы, по одному в строке: имя и описание</source>
        <translation>the system&apos;s serial ports, one a line: name and description</translation>
    </message>
    <message>
        <source>Последовательные порты системы, по одному в строке: имя для --port, табуляция, описание.</source>
        <translation>The system&apos;s serial ports, one a line: the name to give --port, a tab, the description.</translation>
    </message>
    <message>
        <source>адреса, ответившие на поиск, по одному в строке</source>
        <translation>the addresses that answer the search, one a line</translation>
    </message>
    <message>
        <source>Ищет датчики на линии и выводит ответившие адреса, по одному в строке.</source>
        <translation>Searches the line for sensors; prints the addresses that answer, one a line.</translation>
    </message>
    <message>
        <source>заводской номер и версия ПО датчика</source>
        <translation>serial number and software version of a sensor</translation>
    </message>
    <message>
        <source>Заводской номер и версия программного обеспечения датчика с адресом ADDRESS (от 0 до 200).</source>
        <translation>The serial number and software version of the sensor at ADDRESS (0 to 200).</translation>
    </message>
    <message>
        <source>полные опросы в CSV: time,address,temperature,level,current,lower,upper,k,mode</source>
        <translation>full polls as CSV: time,address,temperature,level,current,lower,upper,k,mode</translation>
    </message>
    <message>
        <source>Полные опросы датчика с адресом ADDRESS в CSV: строка заголовка, затем по строке на каждый ответ:
time,address,temperature,level,current,lower,upper,k,mode. Работает до Ctrl+C, если не задан --count.
Опрос без исправного ответа (после повторов) строки не даёт; его время выводится в поток ошибок.</source>
        <translation>Full polls of the sensor at ADDRESS as CSV: a header line, then one line per answer:
time,address,temperature,level,current,lower,upper,k,mode. Runs until Ctrl+C unless --count is given.
A poll without a good answer (after the retries) writes no line; its time goes to standard error.</translation>
    </message>
    <message>
        <source>Остановиться после N ответов.</source>
        <translation>Stop after N answers.</translation>
    </message>
    <message>
        <source>Миллисекунды от одного опроса до следующего (по умолчанию 500).</source>
        <translation>Milliseconds from one poll to the next (default 500).</translation>
    </message>
    <message>
        <source>одна ячейка (от 1 до 10) в FILE (.csv или .json) или в CSV на стандартный вывод</source>
        <translation>one slot (1 to 10) to FILE (.csv or .json), or CSV on standard output</translation>
    </message>
    <message>
        <source>Читает таблицу ячейки SLOT (от 1 до 10, от &quot;Sensor 1&quot; до &quot;Sensor 10&quot;) в FILE (.csv или .json) или в CSV на стандартный вывод.</source>
        <translation>Reads the table of SLOT (1 to 10, &quot;Sensor 1&quot; to &quot;Sensor 10&quot;) into FILE (.csv or .json), or as CSV to standard output.</translation>
    </message>
    <message>
        <source>Записать таблицу в FILE.</source>
        <translation>Write the table to FILE.</translation>
    </message>
    <message>
        <source>одна ячейка из FILE, затем обратное чтение и сверка</source>
        <translation>one slot from FILE, then read back and compared</translation>
    </message>
    <message>
        <source>Записывает таблицу из FILE (.csv или .json) в ячейку SLOT, читает её обратно и сверяет.</source>
        <translation>Writes the table in FILE (.csv or .json) to SLOT, reads it back and compares it.</translation>
    </message>
    <message>
        <source>таблица по сессии тарировки, в FILE или в CSV</source>
        <translation>the table a taring session makes, to FILE or as CSV</translation>
    </message>
    <message>
        <source>Строит таблицу ячейки по файлу сессии тарировки (см. tare) и сообщает её наибольшее отклонение.</source>
        <translation>Makes a slot&apos;s table from a taring session file (see tare) and tells its largest deviation.</translation>
    </message>
    <message>
        <source>тарировка бака по заливам: точки в CSV, затем таблица</source>
        <translation>tare a tank from pours: points as CSV, then the table</translation>
    </message>
    <message>
        <source>Тарирует бак датчика с адресом ADDRESS. Со стандартного ввода после каждого залива берутся залитые литры
(дробная часть через &quot;.&quot; или &quot;,&quot;), undo и done; каждая точка снимается, когда уровень успокоится,
сохраняется в файл сессии и выводится в CSV: point,litres,level,spread. done (или конец ввода) строит таблицу.</source>
        <translation>Tares the tank of the sensor at ADDRESS. Standard input takes the litres poured after each pour (&quot;.&quot; or &quot;,&quot;
for decimals), undo and done; each point is taken once the level has settled, saved to the session
file and printed as CSV: point,litres,level,spread. done (or the end of input) makes the table.</translation>
    </message>
    <message>
        <source>все десять ячеек и режим индикации в один файл JSON</source>
        <translation>all ten slots and the display mode, to one JSON file</translation>
    </message>
    <message>
        <source>Сохраняет режим индикации и таблицы всех десяти ячеек в один файл JSON вместе со временем (UTC) и
версией программы. Существующий FILE сохраняется, если не задан --force.</source>
        <translation>Saves the display mode and the tables of all ten slots to one JSON file, with the time (UTC) and the
program&apos;s version. An existing FILE is kept unless --force is given.</translation>
    </message>
    <message>
        <source>Файл резервной копии.</source>
        <translation>The backup file to write.</translation>
    </message>
    <message>
        <source>запись ячеек из резервной копии, каждая с обратным чтением и сверкой</source>
        <translation>the slots of a backup written, each read back and compared</translation>
    </message>
    <message>
        <source>Записывает ячейки резервной копии (все или указанные), каждую читает обратно и сверяет; останавливается
на первой ошибке. Когда восстанавливаются все десять ячеек, устанавливается и режим индикации.</source>
        <translation>Writes the slots of a backup (all, or those named) and reads each back to compare it; stops at the first
failure. The display mode is set too when all ten slots are restored.</translation>
    </message>
    <message>
        <source>Восстановить только ячейку N (от 1 до 10); можно повторять.</source>
        <translation>Restore only slot N (1 to 10); may be repeated.</translation>
    </message>
    <message>
        <source>предъявить пароль блоку индикации</source>
        <translation>present the display unit&apos;s password</translation>
    </message>
    <message>
        <source>Предъявляет блоку индикации пароль N.</source>
        <translation>Presents the password N to the display unit.</translation>
    </message>
    <message>
        <source>сменить пароль блока индикации</source>
        <translation>change the display unit&apos;s password</translation>
    </message>
    <message>
        <source>Предъявляет пароль OLD, затем устанавливает пароль NEW.</source>
        <translation>Presents the password OLD, then sets the password NEW.</translation>
    </message>
    <message>
        <source>Действующий пароль.</source>
        <translation>The password now in force.</translation>
    </message>
    <message>
        <source>установить режим блока индикации</source>
        <translation>set the display unit&apos;s mode</translation>
    </message>
    <message>
        <source>Устанавливает режим блока индикации.</source>
        <translation>Sets the display unit&apos;s mode.</translation>
    </message>
    <message>
        <source>Пассивный режим.</source>
        <translation>Passive mode.</translation>
    </message>
    <message>
        <source>Активный режим.</source>
        <translation>Active mode.</translation>
    </message>
    <message>
        <source>Включить режим VIRS (без этого параметра он выключен).</source>
        <translation>The VIRS mode on (off without it).</translation>
    </message>
    <message>
        <source>команды датчику</source>
        <translation>sensor commands</translation>
    </message>
    <message>
        <source>Команды датчику с адресом ADDRESS (от 0 до 200):
  set-low                запомнить нижний уровень
  set-high               запомнить верхний уровень
  set-net NEW            задать сетевой номер NEW (от 0 до 200); если ответ потерян, датчик
                         опрашивается по номеру NEW, прежде чем команда уйдёт снова
  set-serial SN          задать заводской номер SN (от 0 до 2000000)
  set-mode --output rs485|analog|frequency [--invert] [--smooth]
                         задать режим выхода</source>
        <translation>Commands to the sensor at ADDRESS (0 to 200):
  set-low                take the lower level
  set-high               take the upper level
  set-net NEW            give it the network number NEW (0 to 200); when its answer is lost,
                         the sensor is asked at NEW before the command goes out again
  set-serial SN          give it the serial number SN (0 to 2000000)
  set-mode --output rs485|analog|frequency [--invert] [--smooth]
                         set its output mode</translation>
    </message>
    <message>
        <source>set-mode: выход — rs485, analog или frequency.</source>
        <translation>set-mode: the output, rs485, analog or frequency.</translation>
    </message>
    <message>
        <source>set-mode: инвертировать показания индикатора.</source>
        <translation>set-mode: invert the indicator.</translation>
    </message>
    <message>
        <source>set-mode: сглаживать показания.</source>
        <translation>set-mode: smooth the reading.</translation>
    </message>
    <message>
        <source>использование: trelvik-cli [--port PORT] [--retries N] [--lang ru|en] </source>
        <translation>usage: trelvik-cli [--port PORT] [--retries N] [--lang ru|en] </translation>
    </message>
    <message>
        <source>COMMAND ...

Блок индикации и датчики уровня топлива одной линии RS-485 из командной строки. Каждый запрос
ждёт ответа, прежде чем уйдёт следующий; каждый ответ проверяется (стартовый байт, код ответа,
CRC-8), а пропавший или испорченный запрашивается снова.

Команды:
</source>
        <translation>COMMAND ...

The display unit and the fuel-level sensors of one RS-485 line, from a shell. Each request is
answered before the next goes out; every answer is checked (start byte, reply code, CRC-8) and
asked again when it is missing or bad.

Commands:
</translation>
    </message>
    <message>
        <source>%1
(команды перечисляет trelvik-cli --help)</source>
        <translation>%1
(trelvik-cli --help lists the commands)</translation>
    </message>
    <message>
        <source>Версия программы.</source>
        <translation>The program&apos;s version.</translation>
    </message>
    <message>
        <source>Команды:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>COMMAND --help — справка по одной из них.</source>
        <translation>COMMAND --help tells about one.</translation>
    </message>
    <message>
        <source>%1 принимает одну из команд: %2</source>
        <translation>%1 takes one of: %2</translation>
    </message>
    <message>
        <source>%1 принимает одну из команд: %2, а не &quot;%3&quot;</source>
        <translation>%1 takes one of: %2, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1
(подробнее: trelvik-cli %2 --help)</source>
        <translation>%1
(trelvik-cli %2 --help tells more)</translation>
    </message>
    <message>
        <source>--retries принимает число от 0 до 100, а не &quot;%1&quot;</source>
        <translation>--retries takes a number 0 to 100, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>
Параметры:
  --port PORT   последовательный порт: &quot;COM3:&quot; или путь к устройству, например /dev/ttyUSB0
                (по умолчанию — переменная окружения TRELVIK_PORT)
  --retries N   сколько раз переспрашивать при отсутствии или порче ответа (по умолчанию 2)
</source>
        <translation>
Options:
  --port PORT   the serial port: &quot;COM3:&quot; or a device path such as /dev/ttyUSB0
                (default: the environment variable TRELVIK_PORT)
  --retries N   how often a missing or bad answer is asked again (default 2)
</translation>
    </message>
    <message>
        <source>  --lang ru|en  язык сообщений (по умолчанию — переменная окружения TRELVIK_LANG, иначе язык
                системы: русский для русской системы, английский для любой другой)
  -h, --help    эта справка; COMMAND --help — справка по одной команде
  --version     версия программы

Код завершения: 0 — выполнено; 1 — отказ линии или устройства (нет ответа, отказ, неверный
пароль); 2 — неверный вызов или негодный файл (ничего не отправлено); 3 — прочитанное обратно
не совпало с записанным; 130 — Ctrl+C остановил изменение после кадра в линии (сделанное
перечислено) или тарировку (её точки сохранены).
</source>
        <translation>  --lang ru|en  the language of messages (default: the environment variable TRELVIK_LANG, else the
                system&apos;s: Russian for a Russian system, English for any other)
  -h, --help    this text; COMMAND --help tells about one command
  --version     the program&apos;s version

Exit status: 0 done; 1 the line or a device failed (no answer, a refusal, a wrong password);
2 bad use or a bad file (nothing was sent); 3 a read-back differed from what was written;
130 Ctrl+C stopped a change after the frame in flight (what was done is named), or a tare
(its points are saved).
</translation>
    </message>
    <message>
        <source>стандартный вывод не записан до конца (диск полон или файл закрыт?)</source>
        <translation>standard output was not written whole (a full disk or a closed file?)</translation>
    </message>
    <message>
        <source>--trace %1 — это файл самой команды; задайте трассировке другой файл</source>
        <translation>--trace %1 is one of the command&apos;s own files; give the trace another file</translation>
    </message>
    <message>
        <source>неизвестная команда «%1»: команда идёт первой, за ней её аргументы: trelvik-cli %2 …</source>
        <translation>unknown command &quot;%1&quot;: the command comes first, its arguments after it: trelvik-cli %2 ...</translation>
    </message>
    <message>
        <source>неизвестная команда «%1»</source>
        <translation>unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>неизвестный параметр %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1 — параметр команды (%2): он идёт после неё, например trelvik-cli %3 … %1</source>
        <translation>%1 is an option of a command (%2): it goes after the command, as in trelvik-cli %3 ... %1</translation>
    </message>
</context>
<context>
    <name>CliArguments</name>
    <message>
        <source>%1 принимает целое число от %2 до %3, а не &quot;%4&quot;</source>
        <translation>%1 takes a whole number %2 to %3, not &quot;%4&quot;</translation>
    </message>
    <message>
        <source>аргументы не нужны, а даны: %1</source>
        <translation>expected no arguments, got: %1</translation>
    </message>
    <message>
        <source>ожидается %1</source>
        <translation>expected %1</translation>
    </message>
    <message>
        <source>ожидается %1, а дано: %2</source>
        <translation>expected %1, got: %2</translation>
    </message>
    <message>
        <source>%1 — это папка</source>
        <translation>%1 is a folder</translation>
    </message>
    <message>
        <source>нет папки %1 для %2</source>
        <translation>no folder %1 for %2</translation>
    </message>
    <message>
        <source>%1 недоступен для записи</source>
        <translation>%1 cannot be written</translation>
    </message>
    <message>
        <source>в папке %1 не создать новый файл (%2); %3 не сохранить</source>
        <translation>the folder %1 does not take a new file (%2); %3 could not be saved</translation>
    </message>
    <message>
        <source>Заменить существующий файл -o; без этого параметра он сохраняется и ничего не отправляется.</source>
        <translation>Replace the -o file when it exists; without it an existing file is kept and nothing is sent.</translation>
    </message>
    <message>
        <source>%1 уже есть; чтобы заменить его, задайте --force или другое имя файла</source>
        <translation>%1 exists; give --force to replace it, or another file name</translation>
    </message>
    <message>
        <source>-o: имя файла пусто</source>
        <translation>-o: the file name is empty</translation>
    </message>
    <message>
        <source>-o %1 — это файл, который команда читает; задайте другое имя</source>
        <translation>-o %1 is the file the command reads; give another name</translation>
    </message>
    <message>
        <source>%1 содержит таблицу одной ячейки, а не сессию тарировки: trelvik-cli table write SLOT %2 записывает её в ячейку SLOT (от 1 до 10)</source>
        <translation>%1 holds one slot&apos;s table, not a taring session: trelvik-cli table write SLOT %2 writes it to slot SLOT (1 to 10)</translation>
    </message>
    <message>
        <source>%1 — резервная копия блока, а не сессия тарировки: её записывает trelvik-cli restore %2</source>
        <translation>%1 is a backup of a unit, not a taring session: trelvik-cli restore %2 writes it</translation>
    </message>
    <message>
        <source>%1 %2: это похоже на параметр, а не на имя файла; файл с таким именем задайте так: %1 ./%2</source>
        <translation>%1 %2: this looks like an option, not a file name; a file of that name is given as %1 ./%2</translation>
    </message>
    <message>
        <source>-o задан дважды (%1 и %2): команда пишет один файл</source>
        <translation>-o given twice (%1 and %2): the command writes one file</translation>
    </message>
    <message>
        <source>-o -: эта команда пишет только в файл; задайте его имя</source>
        <translation>-o -: this command writes only to a file; give its name</translation>
    </message>
</context>
<context>
    <name>CliCommands</name>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>записаны и проверены: %1; не записаны: %2</source>
        <translation>written and verified: %1; not written: %2</translation>
    </message>
    <message>
        <source>записаны и проверены: %1; не записаны: %2; режим индикации установлен</source>
        <translation>written and verified: %1; not written: %2; display mode set</translation>
    </message>
    <message>
        <source>записаны и проверены: %1; не записаны: %2; режим индикации не установлен</source>
        <translation>written and verified: %1; not written: %2; display mode not set</translation>
    </message>
    <message>
        <source>%1 — резервная копия всего блока, а не таблица одной ячейки: её ячейку %4 записывает trelvik-cli restore %2 --slot %3</source>
        <translation>%1 is a backup of a whole unit, not one slot&apos;s table: trelvik-cli restore %2 --slot %3 writes its %4 back</translation>
    </message>
    <message>
        <source>%1 — сессия тарировки, а не таблица ячейки: trelvik-cli table from-session %2 -o TABLE строит по ней таблицу, которую затем принимает table write</source>
        <translation>%1 is a taring session, not a slot&apos;s table: trelvik-cli table from-session %2 -o TABLE makes the table, which table write then takes</translation>
    </message>
    <message>
        <source>backup требует -o FILE</source>
        <translation>backup needs -o FILE</translation>
    </message>
    <message>
        <source>%1 содержит таблицу одной ячейки, а не резервную копию блока: trelvik-cli table write SLOT %2 записывает её в ячейку SLOT (от 1 до 10)</source>
        <translation>%1 holds one slot&apos;s table, not a backup of a unit: trelvik-cli table write SLOT %2 writes it to SLOT (1 to 10)</translation>
    </message>
    <message>
        <source>%1 — сессия тарировки, а не резервная копия блока: trelvik-cli table from-session %2 строит по ней таблицу ячейки</source>
        <translation>%1 is a taring session, not a backup of a unit: trelvik-cli table from-session %2 makes a slot&apos;s table of it</translation>
    </message>
    <message>
        <source>%1
восстановление остановлено на ячейке %2; до неё записаны и проверены: %3</source>
        <translation>%1
restore stopped at %2; written and verified before it: %3</translation>
    </message>
    <message>
        <source>режим индикации: записан %1, прочитан %2</source>
        <translation>display mode: written %1, read %2</translation>
    </message>
    <message>
        <source>пароль принят</source>
        <translation>password accepted</translation>
    </message>
    <message>
        <source>password set требует --current OLD</source>
        <translation>password set needs --current OLD</translation>
    </message>
    <message>
        <source>действующий пароль предъявлен; новый не установлен</source>
        <translation>the current password presented; the new one not set</translation>
    </message>
    <message>
        <source>новый пароль установлен</source>
        <translation>new password set</translation>
    </message>
    <message>
        <source>display-mode принимает один из параметров: --passive или --active</source>
        <translation>display-mode takes one of --passive and --active</translation>
    </message>
    <message>
        <source>режим индикации установлен: пассивный, VIRS</source>
        <translation>display mode set: passive, VIRS</translation>
    </message>
    <message>
        <source>режим индикации установлен: пассивный</source>
        <translation>display mode set: passive</translation>
    </message>
    <message>
        <source>режим индикации установлен: активный, VIRS</source>
        <translation>display mode set: active, VIRS</translation>
    </message>
    <message>
        <source>режим индикации установлен: активный</source>
        <translation>display mode set: active</translation>
    </message>
    <message>
        <source>ожидаются ADDRESS и команда: set-low, set-high, set-net, set-serial или set-mode</source>
        <translation>expected ADDRESS and a command: set-low, set-high, set-net, set-serial or set-mode</translation>
    </message>
    <message>
        <source>--output, --invert и --smooth относятся к set-mode</source>
        <translation>--output, --invert and --smooth belong to set-mode</translation>
    </message>
    <message>
        <source>нижний уровень запомнен</source>
        <translation>lower level taken</translation>
    </message>
    <message>
        <source>верхний уровень запомнен</source>
        <translation>upper level taken</translation>
    </message>
    <message>
        <source>сетевой номер установлен: %1</source>
        <translation>network number set to %1</translation>
    </message>
    <message>
        <source>заводской номер установлен: %1</source>
        <translation>serial number set to %1</translation>
    </message>
    <message>
        <source>set-mode требует --output rs485, analog или frequency</source>
        <translation>set-mode needs --output rs485, analog or frequency</translation>
    </message>
    <message>
        <source>режим установлен: %1</source>
        <translation>mode set to %1</translation>
    </message>
    <message>
        <source>неизвестная команда датчику &quot;%1&quot;: нужна set-low, set-high, set-net, set-serial или set-mode</source>
        <translation>unknown sensor command &quot;%1&quot;: set-low, set-high, set-net, set-serial or set-mode</translation>
    </message>
    <message>
        <source>режим: записан %1, датчик сообщает %2</source>
        <translation>mode: written %1, the sensor reports %2</translation>
    </message>
    <message>
        <source>датчик %1: %2</source>
        <translation>sensor %1: %2</translation>
    </message>
    <message>
        <source>%1: %2 Таблица всё равно записывается.</source>
        <translation>%1: %2 The table is written all the same.</translation>
    </message>
    <message>
        <source>%1: таблица записана и проверена</source>
        <translation>%1: written and verified</translation>
    </message>
    <message>
        <source>режим индикации и таблицы %1 ячеек сохранены в %2</source>
        <translation>display mode and %1 slots saved to %2</translation>
    </message>
    <message>
        <source>восстановлены и проверены: %1; режим индикации установлен</source>
        <translation>restored and verified: %1; display mode set</translation>
    </message>
    <message>
        <source>восстановлены и проверены: %1</source>
        <translation>restored and verified: %1</translation>
    </message>
    <message>
        <source>; копия снята %1</source>
        <translation>; the backup was saved %1</translation>
    </message>
    <message>
        <source>; копия снята %1 программой %2</source>
        <translation>; the backup was saved %1 by %2</translation>
    </message>
</context>
<context>
    <name>CliDeviceOps</name>
    <message>
        <source>порт пропал: его устройство отключено (вынут адаптер?)</source>
        <translation>the port is gone: its device went away (an adapter pulled out?)</translation>
    </message>
    <message>
        <source>%1 (ответ блока: %2)</source>
        <translation>%1 (the unit answered %2)</translation>
    </message>
    <message>
        <source>блок отклонил пароль: неверный пароль</source>
        <translation>the unit refused the password: wrong password</translation>
    </message>
    <message>
        <source>блок отклонил новый пароль</source>
        <translation>the unit refused the new password</translation>
    </message>
    <message>
        <source>блок отклонил режим индикации</source>
        <translation>the unit refused the display mode</translation>
    </message>
    <message>
        <source>блок отклонил таблицу ячейки %1: неверный пароль или таблицы заблокированы (предъявите пароль параметром --password)</source>
        <translation>the unit refused the table of %1: wrong password or tables locked (present the password with --password)</translation>
    </message>
    <message>
        <source>%1: прочитанная обратно таблица отличается от записанной:</source>
        <translation>%1: the table read back differs from the one written:</translation>
    </message>
    <message>
        <source>ни один датчик не ответил</source>
        <translation>no sensor answered</translation>
    </message>
    <message>
        <source>байтов: %1 — слишком много для списка адресов</source>
        <translation>%1 bytes, too many for a list of addresses</translation>
    </message>
    <message>
        <source>байт %1 не может быть адресом датчика</source>
        <translation>byte %1 is no sensor address</translation>
    </message>
    <message>
        <source>%1; по номеру %2 датчик тоже не отвечает</source>
        <translation>%1; nor does a sensor answer at %2</translation>
    </message>
    <message>
        <source>порт пропал; %1 не отправлен</source>
        <translation>the port is gone; %1 was not sent</translation>
    </message>
    <message>
        <source>нет исправного ответа на %1 (попыток: %2); последнее: %3</source>
        <translation>no valid answer to %1 (attempts: %2); last: %3</translation>
    </message>
    <message>
        <source>%1: блок подтвердил запись, но таблица не прочитана обратно и не сверена: %2</source>
        <translation>%1: the unit confirmed the write, but the table was not read back and compared: %2</translation>
    </message>
</context>
<context>
    <name>CliMain</name>
    <message>
        <source>язык &quot;%1&quot; неизвестен; ожидается ru или en</source>
        <translation>no language &quot;%1&quot;; ru or en is expected</translation>
    </message>
</context>
<context>
    <name>CliMisses</name>
    <message>
        <source>Завершиться с кодом 1 после N опросов подряд без ответа (по умолчанию %1).</source>
        <translation>End with exit status 1 after N polls in a row without an answer (default %1).</translation>
    </message>
    <message>
        <source>%1 нет ответа: %2</source>
        <translation>%1 no answer: %2</translation>
    </message>
    <message numerus="yes">
        <source>опросов подряд без ответа: %n</source>
        <translation>
            <numerusform>%n poll in a row without an answer</numerusform>
            <numerusform>%n polls in a row without an answer</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CliProgress</name>
    <message>
        <source>ячейка %1 из %2</source>
        <translation>slot %1 of %2</translation>
    </message>
</context>
<context>
    <name>CliSession</name>
    <message>
        <source>порт не задан: укажите --port PORT или задайте переменную TRELVIK_PORT</source>
        <translation>no port: give --port PORT or set TRELVIK_PORT</translation>
    </message>
    <message>
        <source>порт %1 занят другой программой (например, консолью); сначала закройте его там</source>
        <translation>port %1 is held by another program (the console, say); close it there first</translation>
    </message>
    <message>
        <source>не удаётся открыть порт %1</source>
        <translation>cannot open port %1</translation>
    </message>
    <message>
        <source>не удаётся открыть порт %1: %2</source>
        <translation>cannot open port %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>порта %1 нет; порты этой машины перечисляет trelvik-cli ports</source>
        <translation>there is no port %1; trelvik-cli ports lists this machine&apos;s ports</translation>
    </message>
    <message>
        <source>нет доступа к порту %1: порты открывает группа dialout (в некоторых системах uucp); sudo usermod -aG dialout $USER и войдите в систему заново</source>
        <translation>no access to port %1: serial ports are for the dialout group (uucp on some systems); run sudo usermod -aG dialout $USER and log in again</translation>
    </message>
</context>
<context>
    <name>CliStop</name>
    <message>
        <source>остановлено по Ctrl+C</source>
        <translation>stopped by Ctrl+C</translation>
    </message>
    <message>
        <source>остановлено: консоль закрывается (закрыто окно или терминал, выход из системы или выключение)</source>
        <translation>stopped as the console closes (its window or terminal closed, a log-off or a shut-down)</translation>
    </message>
    <message>
        <source>остановлено: программе велено завершиться (SIGTERM)</source>
        <translation>stopped as the program was told to end (SIGTERM)</translation>
    </message>
</context>
<context>
    <name>CliTare</name>
    <message>
        <source>&quot;%1&quot;: введите залитые литры (число больше 0), undo или done</source>
        <translation>&quot;%1&quot;: type the litres poured (a number above 0), undo or done</translation>
    </message>
    <message>
        <source>&quot;%1&quot; даёт %2 л — больше, чем вмещает таблица (%3 л); точка не снята</source>
        <translation>&quot;%1&quot; makes %2 L, more than a table holds (%3 L); nothing taken</translation>
    </message>
    <message>
        <source>уровень не успокаивается уже %1 с (разброс %2, допуск %3); Ctrl+C завершает тарировку и сохраняет сессию</source>
        <translation>the level has not settled for %1 s (spread %2, tolerance %3); Ctrl+C ends and keeps the session</translation>
    </message>
    <message>
        <source>точка %1: уровень %2 не выше уровня %3 точки %4; точка всё равно снята (undo её отменит)</source>
        <translation>point %1: level %2 did not rise above %3 of point %4; taken all the same (undo takes it back)</translation>
    </message>
    <message>
        <source>отменять нечего: точек нет</source>
        <translation>no point to take back</translation>
    </message>
    <message>
        <source>не удаётся сохранить сессию: %1</source>
        <translation>the session cannot be saved: %1</translation>
    </message>
    <message>
        <source>%1
%2; таблицу по ней строит trelvik-cli table from-session</source>
        <translation>%1
%2; trelvik-cli table from-session makes the table from it</translation>
    </message>
    <message>
        <source>%1
отмените точку (undo) и снова введите done; Ctrl+C завершает тарировку и сохраняет сессию</source>
        <translation>%1
undo the point, then done again; Ctrl+C ends and keeps the session</translation>
    </message>
    <message>
        <source>%1: записана и проверена</source>
        <translation>%1: written and verified</translation>
    </message>
    <message>
        <source>сессия не отмечена завершённой: %1</source>
        <translation>the session is not marked finished: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>точка %1: %2 л на %3 ед. уровня, у соседних около %4 л; опечатка?</source>
        <translation>point %1: %2 L over %3 level steps, the neighbouring portions take about %4 L; a typo?</translation>
    </message>
    <message>
        <source>уровень успокаивается: %1, разброс %2 за %3 из %4 с</source>
        <translation>settling: level %1, spread %2 over %3 of %4 s</translation>
    </message>
    <message>
        <source>Файл сессии: создаётся или, если он есть, продолжается. Перезаписывается после каждой точки.</source>
        <translation>The session file: created, or gone on with when it exists. Rewritten after every point.</translation>
    </message>
    <message>
        <source>Первая точка новой сессии: литры в баке сейчас (по умолчанию 0).</source>
        <translation>A new session&apos;s first point: the litres in the tank now (default 0).</translation>
    </message>
    <message>
        <source>Сколько секунд уровень должен держаться в пределах допуска, прежде чем точка снимется (по умолчанию 20).</source>
        <translation>Seconds the level must stay within the tolerance before a point is taken (default 20).</translation>
    </message>
    <message>
        <source>Насколько уровень может меняться, пока успокаивается (по умолчанию 2).</source>
        <translation>The most the level may move while it settles (default 2).</translation>
    </message>
    <message>
        <source>В конце записать таблицу в ячейку N (от 1 до 10), прочитать обратно и сверить.</source>
        <translation>At the end, write the table to slot N (1 to 10), read it back and compare it.</translation>
    </message>
    <message>
        <source>Пароль блока индикации N: предъявляется в начале, чтобы неверный обнаружился сразу, и снова перед записью ячейки.</source>
        <translation>The display unit&apos;s password N: presented at the start, to find a wrong one early, and again before the slot is written.</translation>
    </message>
    <message>
        <source>В конце записать таблицу в FILE (.csv или .json).</source>
        <translation>At the end, write the table to FILE (.csv or .json).</translation>
    </message>
    <message>
        <source>%1 снята с датчиком с заводским номером %2; у датчика по адресу %3 номер %4</source>
        <translation>%1 was taken with the sensor of serial number %2; the sensor at %3 has %4</translation>
    </message>
    <message>
        <source>датчик %1: новая сессия в %2; первая точка при %3 л, когда уровень успокоится (%4 с в пределах %5)</source>
        <translation>sensor %1: a new session in %2; the first point at %3 L once the level has settled (%4 s within %5)</translation>
    </message>
    <message numerus="yes">
        <source>датчик %1: в %2 точек: %n, последняя — %3 л при уровне %4; продолжаем с неё (--start-litres — только для новой сессии)</source>
        <translation>
            <numerusform>sensor %1: %2 holds %n point, the last %3 L at level %4; going on from there (--start-litres is for a new session)</numerusform>
            <numerusform>sensor %1: %2 holds %n points, the last %3 L at level %4; going on from there (--start-litres is for a new session)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>датчик %1: в %2 точек: %n, последняя — %3 л при уровне %4; продолжаем с неё</source>
        <translation>
            <numerusform>sensor %1: %2 holds %n point, the last %3 L at level %4; going on from there</numerusform>
            <numerusform>sensor %1: %2 holds %n points, the last %3 L at level %4; going on from there</numerusform>
        </translation>
    </message>
    <message>
        <source>tare требует --session FILE</source>
        <translation>tare needs --session FILE</translation>
    </message>
    <message>
        <source>--start-litres принимает литры от 0 до %1, а не &quot;%2&quot;</source>
        <translation>--start-litres takes litres 0 to %1, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--settle принимает секунды от 0 до %1, а не &quot;%2&quot;</source>
        <translation>--settle takes seconds 0 to %1, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--tolerance принимает единицы уровня от 0 до %1, а не &quot;%2&quot;</source>
        <translation>--tolerance takes level steps 0 to %1, not &quot;%2&quot;</translation>
    </message>
    <message numerus="yes">
        <source>сессия (точек: %n) сохранена в %1</source>
        <translation>
            <numerusform>the session, %n point, is saved in %1</numerusform>
            <numerusform>the session, %n points, is saved in %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 появился за время тарировки и не заменён</source>
        <translation>%1 appeared during the taring and was not replaced</translation>
    </message>
    <message>
        <source>%1; уберите его и снова введите done; Ctrl+C завершает тарировку и сохраняет сессию</source>
        <translation>%1; move it away and type done again; Ctrl+C ends the taring and saves the session</translation>
    </message>
    <message>
        <source>%1 — сессия датчика %2, а не датчика %3; для датчика %3 укажите другой файл --session</source>
        <translation>%1 is a session of sensor %2, not of sensor %3; give sensor %3 another --session file</translation>
    </message>
    <message>
        <source>точка %1 отменена (%2 л, уровень %3); её топливо осталось в баке: введите долитое заново, не доливая</source>
        <translation>point %1 taken back (%2 L, level %3); its fuel is still in the tank: type the portion again without pouring again</translation>
    </message>
    <message>
        <source>точка 1 отменена (%1 л, уровень %2); начальная точка (%1 л) снимается заново</source>
        <translation>point 1 taken back (%1 L, level %2); the starting point (%1 L) is taken again</translation>
    </message>
    <message>
        <source>%1
датчик %2 не отвечает; проверьте адрес (trelvik-cli search) и подключение</source>
        <translation>%1
sensor %2 does not answer; check the address (trelvik-cli search) and the connection</translation>
    </message>
    <message>
        <source>датчик %1 не сообщил заводской номер: %2; сессия не привязана к номеру</source>
        <translation>sensor %1 did not tell its serial number: %2; the session is not tied to a serial number</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: пишите число без пробелов: %2</source>
        <translation>&quot;%1&quot;: type the number without blanks: %2</translation>
    </message>
    <message>
        <source>после каждого залива введите залитые литры, а следующий начинайте, когда точка напечатана; undo отменяет последнюю точку, done строит таблицу</source>
        <translation>after each pour type the litres poured, and start the next pour once the point is printed; undo takes the last point back, done makes the table</translation>
    </message>
    <message>
        <source>%1; точка %2 не снята, её топливо в баке: когда файл можно будет записать, введите долитое заново, не доливая; Ctrl+C завершает тарировку</source>
        <translation>%1; point %2 was not taken and its fuel is in the tank: once the file can be written, type the portion again without pouring; Ctrl+C ends the taring</translation>
    </message>
    <message>
        <source>%1; точка %2 не отменена</source>
        <translation>%1; point %2 was not taken back</translation>
    </message>
    <message>
        <source>%1
освободите файл и снова введите done; Ctrl+C завершает тарировку и сохраняет сессию</source>
        <translation>%1
close the file where it is open and type done again; Ctrl+C ends the taring and saves the session</translation>
    </message>
    <message>
        <source>таблица по этой сессии уже сделана (done); новые точки дополнят её, а для другого бака укажите другой файл --session</source>
        <translation>this session&apos;s table was made already (done); new points add to it, and another tank takes another --session file</translation>
    </message>
    <message>
        <source>датчик %1 не сообщил заводской номер: %2; сессия снята с номером %3, что датчик тот же, не проверено</source>
        <translation>sensor %1 did not tell its serial number: %2; the session was taken with number %3, and that this is the same sensor is not checked</translation>
    </message>
    <message>
        <source>долитые %1 л не сняты точкой: сессию не удалось сохранить</source>
        <translation>the %1 L poured were taken by no point: the session could not be saved</translation>
    </message>
    <message>
        <source>%1; введите их заново, не доливая, затем done</source>
        <translation>%1; type them again without pouring, then done</translation>
    </message>
    <message>
        <source>долитые %1 л ещё не сняты точкой: сначала введите их заново, не доливая</source>
        <translation>the %1 L poured are not yet taken by a point: type them again first, without pouring</translation>
    </message>
    <message>
        <source>долитые %1 л не сняты точкой: продолжив тарировку, введите их первыми, не доливая</source>
        <translation>the %1 L poured were taken by no point: when you go on with the taring, type them first, without pouring</translation>
    </message>
</context>
<context>
    <name>CliTaringTable</name>
    <message>
        <source>таблицу не построить: %1</source>
        <translation>the table cannot be built: %1</translation>
    </message>
    <message>
        <source>таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л у точки %4, в строке %5, заполненной между точками</source>
        <translation>table: %1 rows from %2 points, largest deviation %3 L at point %4, at row %5, filled in between points</translation>
    </message>
    <message>
        <source>таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л у точки %4</source>
        <translation>table: %1 rows from %2 points, largest deviation %3 L at point %4</translation>
    </message>
    <message>
        <source>таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л в строке %5, заполненной между точками</source>
        <translation>table: %1 rows from %2 points, largest deviation %3 L at row %5, filled in between points</translation>
    </message>
    <message>
        <source>таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л</source>
        <translation>table: %1 rows from %2 points, largest deviation %3 L</translation>
    </message>
    <message>
        <source>Записать таблицу в FILE (.csv или .json), а не в CSV на стандартный вывод.</source>
        <translation>Write the table to FILE (.csv or .json) instead of CSV to standard output.</translation>
    </message>
    <message numerus="yes">
        <source> (точек, отложенных из-за уровня, занятого другой точкой: %n)</source>
        <translation>
            <numerusform> (%n point at a level another point has set aside)</numerusform>
            <numerusform> (%n points at a level another point has set aside)</numerusform>
        </translation>
    </message>
    <message>
        <source>таблица: %1 строк, точек использовано: %2; проходит через все точки</source>
        <translation>table: %1 rows from %2 points; passes through every point</translation>
    </message>
    <message>
        <source>таблица: %1 строк, точек использовано: %2; проходит через все точки, литры в ней целые: отклонение до %3 л у точки %4</source>
        <translation>table: %1 rows from %2 points; passes through every point, its litres whole: off by up to %3 L at point %4</translation>
    </message>
    <message>
        <source>таблица: %1 строк, точек использовано: %2; проходит через все точки, литры в ней целые: отклонение до %3 л в строке %5, заполненной между точками</source>
        <translation>table: %1 rows from %2 points; passes through every point, its litres whole: off by up to %3 L at row %5, filled in between points</translation>
    </message>
</context>
<context>
    <name>Trace</name>
    <message>
        <source>Записать каждый кадр линии, каждый повтор и тайм-аут в FILE (файл заменяется) или, при -, в стандартный поток ошибок.</source>
        <translation>Write every frame on the line, each retry and time-out to FILE (replaced), or to standard error for -.</translation>
    </message>
    <message>
        <source>  --trace FILE  каждый отправленный и принятый кадр, повторы, тайм-ауты и
                сброшенный ввод, по строке, в FILE (файл заменяется; - —
                стандартный поток ошибок)
</source>
        <translation>  --trace FILE  every frame sent and received, retries, time-outs and
                dropped input, one a line, to FILE (replaced; - for
                standard error)
</translation>
    </message>
    <message>
        <source>--trace: команда %1 не работает с линией</source>
        <translation>--trace: %1 uses no line</translation>
    </message>
    <message>
        <source>файл трассировки «%1» не записать: %2</source>
        <translation>cannot write the trace file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>нет имени</source>
        <translation>no name</translation>
    </message>
    <message>
        <source>трассировка в «%1» неполна: %2</source>
        <translation>the trace in &quot;%1&quot; is incomplete: %2</translation>
    </message>
    <message>
        <source>; команда продолжается</source>
        <translation>; the command goes on</translation>
    </message>
    <message>
        <source>это папка</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>нет папки %1</source>
        <translation>there is no folder %1</translation>
    </message>
    <message>
        <source>нет доступа для записи</source>
        <translation>it may not be written</translation>
    </message>
</context>
</TS>
