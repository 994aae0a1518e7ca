<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>CliText</name>
    <message>
        <source>--lang braucht de oder en, nicht &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 braucht einen Wert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 braucht eine ganze Zahl, nicht &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--max-colors braucht eine ganze Zahl ab 0, nicht &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--match braucht rgb, ciede2000 oder oklab, nicht &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 braucht on oder off, nicht &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--remove-background braucht eine Toleranz von 0 bis 100, nicht &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 braucht einen Dateinamen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 erlaubt %2, nicht &quot;%3&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pitch braucht einen Abstand von %1 bis %2 mm, nicht &quot;%3&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--board braucht BREITExHÖHE in Stiften (1 bis %1), nicht &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--range braucht einen Namen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unbekannte Option %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nur ein Bild kann angegeben werden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ein Bild und --project schließen einander aus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--range und --palette schließen einander aus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kein Bild angegeben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aufruf: tessora-cli BILD [--width N] [--height N] [--dither] [--colors DATEI]
                   [--chart DATEI] [--pdf DATEI] [--grid] [--stats]
                   [--save-colors DATEI] [--save-project DATEI]
                   [--match rgb|ciede2000|oklab] [--transparent on|off]
                   [--remove-background TOLERANZ]
                   [--range NAME | --palette DATEI] [--max-colors N]
                   [--export-palette DATEI]
                   [--template-pdf DATEI] [--bead midi|mini|maxi] [--pitch MM]
                   [--board BxH] [--paper a4|letter] [--board-stats]
       tessora-cli --project DATEI [Optionen wie oben]
       tessora-cli --list-ranges

Berechnet aus BILD ein Perlenmuster, wie es das Programm Tessora tut.

  --width N            Breite in Perlen (1 bis 1000); die Höhe folgt dem Bild
  --height N           Höhe in Perlen (1 bis 1000); die Breite folgt dem Bild
                       (beide angegeben: beide gelten wie angegeben)
  --dither             Dithering statt der am besten passenden Farbe
  --colors DATEI       Farbeinstellungen (.frb) laden
  --save-colors DATEI  Farbeinstellungen (.frb) speichern
  --chart DATEI        die Perlenvorlage speichern (Format nach der Endung)
  --pdf DATEI          die Perlenvorlage als PDF-Seite drucken (A4 hoch, Seite
                       voll genutzt, Seitenverhältnis beibehalten, zentriert)
  --match ABSTAND      Farbabstand: rgb (Vorgabe), ciede2000 oder oklab
  --transparent on|off Transparente Stellen frei lassen (Vorgabe: on)
  --remove-background TOLERANZ
                       Hintergrund entfernen: Perlen am Rand in der Randfarbe
                       (Toleranz 0 bis 100 Prozent je Farbkanal) bleiben frei
  --grid               das Perlenraster ausgeben, eine Zeile je Reihe von oben,
                       -- für eine freie Stelle
  --stats              die Perlenstatistik ausgeben
  --template-pdf DATEI die Vorlage in Originalgröße als PDF speichern: eine
                       Übersicht und jede Steckplatte in echter Größe
  --bead GRÖSSE        Perlengröße: midi (5 mm, Platte 29x29, Vorgabe),
                       mini (2,5 mm, 48x48) oder maxi (10 mm, 28x28)
  --pitch MM           eigener Stiftabstand in mm (1 bis 50)
  --board BxH          Plattengröße in Stiften, z. B. 29x29
  --paper PAPIER       a4 (Vorgabe) oder letter
  --board-stats        die Perlen jeder Platte ausgeben, Zeile &quot;Platte R/S&quot;
                       (Reihe von oben, Spalte von links) und ihre Statistik
  --project DATEI      ein Tessora-Projekt (.tessora) öffnen; ohne --width,
                       --height, --dither und --colors gilt sein Perlenraster
                       mit allen Änderungen, sonst wird aus seinem Bild neu
                       berechnet
  --save-project DATEI das Projekt (.tessora) speichern
  --list-ranges        die Namen der Perlensortimente ausgeben, einen je Zeile
  --range NAME         dieses Perlensortiment verwenden (Standard:
                       &quot;Hama Midi (Standard)&quot;)
  --palette DATEI      eine GIMP-Palette (.gpl) als Perlensortiment, alle Farben
                       ausgewählt
  --max-colors N       höchstens N der ausgewählten Farben verwenden, die für das
                       Bild am besten passenden (0: keine Grenze)
  --export-palette DATEI  die ausgewählten Farben des Sortiments als GIMP-Palette
                       (.gpl) speichern

Ohne BILD werden nur --list-ranges, --export-palette und --save-colors ausgeführt.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Nicht genügend Arbeitsspeicher für die Startbilder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Das Perlensortiment &quot;%1&quot; gibt es nicht (--list-ranges zeigt alle).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Die Palette %1 konnte nicht geladen werden!
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Die Datei %1 konnte nicht geschrieben werden!
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Die Datei %1 konnte nicht geladen werden!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Die Farbeinstellungen %1 konnten nicht geöffnet werden.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Nicht genügend Arbeitsspeicher für das Perlenmuster.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Höchstens %1 Farben: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: Nicht genügend Arbeitsspeicher für die Perlenvorlage.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
