<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>main</name>
    <message>
        <source>Язык окна: ru или en.</source>
        <translation>The language of the window: ru or en.</translation>
    </message>
    <message>
        <source>«%1»: не язык программы (ru или en); она говорит на %2.</source>
        <translation>&quot;%1&quot; is not a language of the program (ru or en); it speaks %2.</translation>
    </message>
</context>
</TS>
