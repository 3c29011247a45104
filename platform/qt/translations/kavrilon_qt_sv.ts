<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Swedish texts of Qt's own dialogs that Debian's Swedish Qt translation
     does not have: the colour dialog's title, screen picker and HTML field,
     and the standard dialog buttons of the plain and the GNOME desktop theme.
     Access keys differ from those of Qt's Swedish texts in the same dialog
     (Alt+H stays with the HTML field). Where Debian's texts give two items
     of one dialog or menu the same key, or an item none, a text here
     replaces theirs: "Ljushet" keeps Alt+L and adding a custom colour takes
     Alt+T; the custom colours take Alt+P, since GNOME's "Avbryt" has Alt+A;
     the text box menu's "Ta bort" and "Markera alla" get keys of their own. -->
<TS version="2.1" language="sv_SE">
<context>
    <name>QColorDialog</name>
    <message>
        <source>Select Color</source>
        <translation>Välj färg</translation>
    </message>
    <message>
        <source>&amp;Pick Screen Color</source>
        <translation>Hämta färg från &amp;skärmen</translation>
    </message>
    <message>
        <source>&amp;HTML:</source>
        <translation>&amp;HTML-kod:</translation>
    </message>
    <message>
        <source>&amp;Add to Custom Colors</source>
        <translation>Lägg &amp;till i anpassade färger</translation>
    </message>
    <message>
        <source>&amp;Custom colors</source>
        <translation>An&amp;passade färger</translation>
    </message>
    <message>
        <source>Cursor at %1, %2
Press ESC to cancel</source>
        <translation>Pekaren vid %1, %2
Tryck Esc för att avbryta</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>Delete</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>&amp;Markera alla</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Spara</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Spara alla</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öppna</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Ja till &amp;alla</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nej</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>N&amp;ej till alla</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Försök igen</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorera</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Förkasta</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hjälp</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Verkställ</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Återställ</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Återställ standardvärden</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Spara</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Avbryt</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Stäng utan att spara</translation>
    </message>
</context>
</TS>
