<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>yuedu</name>
    <message>
        <source>Start without the splash window.</source>
        <translation>啟動時不顯示開頭畫面。</translation>
    </message>
    <message>
        <source>Folder of the data files.</source>
        <translation>資料檔所在的資料夾。</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>Texts to open (Big5, UTF-8 or RTF).</source>
        <translation>要開啟的文章（Big5、UTF-8 或 RTF）。</translation>
    </message>
    <message>
        <source>[FILE...]</source>
        <translation>[檔案...]</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>檔案</translation>
    </message>
</context>
</TS>
