<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>ReplyCheck</name>
    <message>
        <source>нет ответа</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>неверный начальный байт %1</source>
        <translation>wrong start byte %1</translation>
    </message>
    <message>
        <source>байтов: %1, слишком мало для ответа</source>
        <translation>too short for a reply (bytes: %1)</translation>
    </message>
    <message>
        <source>неверная CRC: %1, вычислена %2</source>
        <translation>bad CRC: %1, computed %2</translation>
    </message>
    <message>
        <source>код ответа %1, ожидается %2</source>
        <translation>reply code %1, expected %2</translation>
    </message>
    <message>
        <source>байтов: %1, ожидается не меньше %2</source>
        <translation>%1 bytes, expected at least %2</translation>
    </message>
</context>
<context>
    <name>ReplyDispatch</name>
    <message>
        <source> Датчик подключен.</source>
        <translation> Sensor connected.</translation>
    </message>
    <message>
        <source> Установлен нижний уровень.</source>
        <translation> Lower level set.</translation>
    </message>
    <message>
        <source> Установлен новый режим.</source>
        <translation> New mode set.</translation>
    </message>
    <message>
        <source> Установлен верхний уровень.</source>
        <translation> Upper level set.</translation>
    </message>
    <message>
        <source> Установлен сетевой номер.</source>
        <translation> Network number set.</translation>
    </message>
    <message>
        <source> Установлено кол. усреднение.</source>
        <translation> Averaging count set.</translation>
    </message>
    <message>
        <source> Снято усреднение.</source>
        <translation> Averaging switched off.</translation>
    </message>
    <message>
        <source>Установлен серийный номер.</source>
        <translation>Serial number set.</translation>
    </message>
    <message>
        <source>Изменена инверсия.</source>
        <translation>Inversion changed.</translation>
    </message>
    <message>
        <source>Изменено состояние лампа/частота.</source>
        <translation>Lamp/frequency state changed.</translation>
    </message>
    <message>
        <source> Непонятно что пришло! </source>
        <translation> Unrecognised reply! </translation>
    </message>
    <message>
        <source>. Прочитана тарировочная таблица.</source>
        <translation>. Calibration table read.</translation>
    </message>
    <message>
        <source>. CТаблица записана верно.</source>
        <translation>. Table written correctly.</translation>
    </message>
    <message>
        <source> Неверный пароль.</source>
        <translation> Wrong password.</translation>
    </message>
    <message>
        <source> Пароль принят.</source>
        <translation> Password accepted.</translation>
    </message>
    <message>
        <source> Установлен новый пароль.</source>
        <translation> New password set.</translation>
    </message>
</context>
<context>
    <name>RequestReply</name>
    <message>
        <source>порт принял байтов: %1 из %2</source>
        <translation>the port took %1 of %2 bytes</translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>Com Port %1 недоступен. Установите нужный порт.</source>
        <translation>Com Port %1 is not available. Select the right port.</translation>
    </message>
    <message>
        <source>занят другой программой</source>
        <translation>held by another program</translation>
    </message>
    <message>
        <source>Unable to build Comm DCB %1 Error: %2</source>
        <translation>Unable to build Comm DCB %1 Error: %2</translation>
    </message>
    <message>
        <source>Unable to set Comm DCB %1 Error: %2</source>
        <translation>Unable to set Comm DCB %1 Error: %2</translation>
    </message>
</context>
</TS>
