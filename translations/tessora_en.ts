<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>Artwork</name>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Über...</source>
        <translation>About...</translation>
    </message>
</context>
<context>
    <name>BeadSize</name>
    <message>
        <source>Midi (5 mm)</source>
        <translation>Midi (5 mm)</translation>
    </message>
    <message>
        <source>Mini (2,5 mm)</source>
        <translation>Mini (2.5 mm)</translation>
    </message>
    <message>
        <source>Maxi (10 mm)</source>
        <translation>Maxi (10 mm)</translation>
    </message>
    <message>
        <source>Rasterabstand %1 mm</source>
        <translation>Grid pitch %1 mm</translation>
    </message>
</context>
<context>
    <name>BoardPage</name>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Reihen %1, Spalten %2</source>
        <translation>rows %1, columns %2</translation>
    </message>
    <message>
        <source>Blatt %1 von %2 dieser Platte: %3. Die Blätter überlappen sich um %4 Stifte; an den gestrichelten Linien und Passmarken ausrichten.</source>
        <translation>Sheet %1 of %2 of this pegboard: %3. The sheets overlap by %4 pegs; line them up at the dashed lines and registration marks.</translation>
    </message>
    <message>
        <source>Platte %1 von %2 %3 %4</source>
        <translation>Pegboard %1 of %2 %3 %4</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>--lang braucht de oder en, nicht &quot;%1&quot;</source>
        <translation>--lang needs de or en, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 braucht einen Wert</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>%1 braucht eine ganze Zahl, nicht &quot;%2&quot;</source>
        <translation>%1 needs a whole number, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--max-colors braucht eine ganze Zahl ab 0, nicht &quot;%1&quot;</source>
        <translation>--max-colors needs a whole number from 0, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--match braucht rgb, ciede2000 oder oklab, nicht &quot;%1&quot;</source>
        <translation>--match needs rgb, ciede2000 or oklab, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 braucht on oder off, nicht &quot;%2&quot;</source>
        <translation>%1 needs on or off, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--remove-background braucht eine Toleranz von 0 bis 100, nicht &quot;%1&quot;</source>
        <translation>--remove-background needs a tolerance from 0 to 100, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 braucht einen Dateinamen</source>
        <translation>%1 needs a file name</translation>
    </message>
    <message>
        <source>%1 erlaubt %2, nicht &quot;%3&quot;</source>
        <translation>%1 allows %2, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>--pitch braucht einen Abstand von %1 bis %2 mm, nicht &quot;%3&quot;</source>
        <translation>--pitch needs a pitch from %1 to %2 mm, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>--board braucht BREITExHÖHE in Stiften (1 bis %1), nicht &quot;%2&quot;</source>
        <translation>--board needs WIDTHxHEIGHT in pegs (1 to %1), not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--range braucht einen Namen</source>
        <translation>--range needs a name</translation>
    </message>
    <message>
        <source>Unbekannte Option %1</source>
        <translation>Unknown option %1</translation>
    </message>
    <message>
        <source>Nur ein Bild kann angegeben werden</source>
        <translation>Only one picture can be given</translation>
    </message>
    <message>
        <source>Ein Bild und --project schließen einander aus</source>
        <translation>A picture and --project exclude each other</translation>
    </message>
    <message>
        <source>--range und --palette schließen einander aus</source>
        <translation>--range and --palette exclude each other</translation>
    </message>
    <message>
        <source>Kein Bild angegeben</source>
        <translation>No picture given</translation>
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
        <translation>Usage: tessora-cli PICTURE [--width N] [--height N] [--dither] [--colors FILE]
                   [--chart FILE] [--pdf FILE] [--grid] [--stats]
                   [--save-colors FILE] [--save-project FILE]
                   [--match rgb|ciede2000|oklab] [--transparent on|off]
                   [--remove-background TOLERANCE]
                   [--range NAME | --palette FILE] [--max-colors N]
                   [--export-palette FILE]
                   [--template-pdf FILE] [--bead midi|mini|maxi] [--pitch MM]
                   [--board WxH] [--paper a4|letter] [--board-stats]
       tessora-cli --project FILE [options as above]
       tessora-cli --list-ranges

Makes a bead pattern from PICTURE, as the program Tessora does.

  --width N            width in beads (1 to 1000); the height follows the picture
  --height N           height in beads (1 to 1000); the width follows the picture
                       (both given: both apply as given)
  --dither             dithering instead of the best matching colour
  --colors FILE        load colour settings (.frb)
  --save-colors FILE   save colour settings (.frb)
  --chart FILE         save the bead chart (format from the file extension)
  --pdf FILE           print the bead chart as a PDF page (A4 portrait, page
                       filled, aspect ratio kept, centred)
  --match DISTANCE     colour distance: rgb (default), ciede2000 or oklab
  --transparent on|off leave transparent spots empty (default: on)
  --remove-background TOLERANCE
                       remove the background: beads at the edge in the edge
                       colour (tolerance 0 to 100 percent per channel) stay empty
  --grid               print the bead grid, one line per row from the top,
                       -- for an empty peg
  --stats              print the bead count
  --template-pdf FILE  save the pattern at actual size as a PDF: an overview
                       and every pegboard at its real size
  --bead SIZE          bead size: midi (5 mm, pegboard 29x29, default),
                       mini (2.5 mm, 48x48) or maxi (10 mm, 28x28)
  --pitch MM           your own peg pitch in mm (1 to 50)
  --board WxH          pegboard size in pegs, e.g. 29x29
  --paper PAPER        a4 (default) or letter
  --board-stats        print the beads of every pegboard, line &quot;Platte R/C&quot;
                       (row from the top, column from the left) and its count
  --project FILE       open a Tessora project (.tessora); without --width,
                       --height, --dither and --colors its bead grid applies
                       with all edits, otherwise it is calculated again from
                       its picture
  --save-project FILE  save the project (.tessora)
  --list-ranges        print the names of the bead ranges, one per line
  --range NAME         use this bead range (default:
                       &quot;Hama Midi (Standard)&quot;)
  --palette FILE       a GIMP palette (.gpl) as the bead range, all colours
                       ticked
  --max-colors N       use at most N of the ticked colours, those that suit the
                       picture best (0: no limit)
  --export-palette FILE  save the ticked colours of the range as a GIMP palette
                       (.gpl)

Without PICTURE only --list-ranges, --export-palette and --save-colors are run.
</translation>
    </message>
    <message>
        <source>Fehler: </source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>Fehler: Nicht genügend Arbeitsspeicher für die Startbilder.</source>
        <translation>Error: Not enough memory for the start images.</translation>
    </message>
    <message>
        <source>Fehler: Das Perlensortiment &quot;%1&quot; gibt es nicht (--list-ranges zeigt alle).</source>
        <translation>Error: There is no bead range &quot;%1&quot; (--list-ranges shows them all).</translation>
    </message>
    <message>
        <source>Fehler: Die Palette %1 konnte nicht geladen werden!
%2</source>
        <translation>Error: The palette %1 could not be loaded!
%2</translation>
    </message>
    <message>
        <source>Fehler: Die Datei %1 konnte nicht geschrieben werden!
%2</source>
        <translation>Error: The file %1 could not be written!
%2</translation>
    </message>
    <message>
        <source>Fehler: Die Datei %1 konnte nicht geladen werden!</source>
        <translation>Error: The file %1 could not be loaded!</translation>
    </message>
    <message>
        <source>Fehler: Die Farbeinstellungen %1 konnten nicht geöffnet werden.
%2</source>
        <translation>Error: The colour settings %1 could not be opened.
%2</translation>
    </message>
    <message>
        <source>Fehler: Nicht genügend Arbeitsspeicher für das Perlenmuster.</source>
        <translation>Error: Not enough memory for the bead pattern.</translation>
    </message>
    <message>
        <source>Höchstens %1 Farben: %2</source>
        <translation>At most %1 colours: %2</translation>
    </message>
    <message>
        <source>Fehler: Nicht genügend Arbeitsspeicher für die Perlenvorlage.</source>
        <translation>Error: Not enough memory for the bead chart.</translation>
    </message>
    <message>
        <source>Fehler: %1</source>
        <translation>Error: %1</translation>
    </message>
</context>
<context>
    <name>ColorSettings</name>
    <message>
        <source>Die Datei wurde nicht gefunden.</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>Das ist keine gewöhnliche Datei.</source>
        <translation>This is not a regular file.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht geöffnet werden (fehlende Leserechte?).</source>
        <translation>The file cannot be opened (no permission to read it?).</translation>
    </message>
    <message>
        <source>Die Datei ist keine Farbeinstellungsdatei oder unvollständig. Es wurde nichts geändert.</source>
        <translation>The file is not a colour settings file or is incomplete. Nothing was changed.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht vollständig geschrieben werden. Eine vorhandene Datei bleibt unverändert.</source>
        <translation>The file could not be written completely. An existing file stays unchanged.</translation>
    </message>
    <message>
        <source>Das Ziel ist keine gewöhnliche Datei und wird nicht überschrieben.</source>
        <translation>The target is not a regular file and is not overwritten.</translation>
    </message>
</context>
<context>
    <name>DrawMessage</name>
    <message>
        <source>Could not create bitmap.</source>
        <translation>Could not create bitmap.</translation>
    </message>
    <message>
        <source>The device does not support the Funtkion setdibits!</source>
        <translation>The device does not support the function setdibits!</translation>
    </message>
    <message>
        <source>The device does not support the function StretchBlt!</source>
        <translation>The device does not support the function StretchBlt!</translation>
    </message>
</context>
<context>
    <name>ImageError</name>
    <message>
        <source>Die Datei wurde nicht gefunden.</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht geöffnet werden (fehlende Leserechte?).</source>
        <translation>The file cannot be opened (no permission to read it?).</translation>
    </message>
    <message>
        <source>Das Dateiformat ist unbekannt oder wird nicht unterstützt.</source>
        <translation>The file format is unknown or not supported.</translation>
    </message>
    <message>
        <source>Die Datei ist beschädigt oder unvollständig.</source>
        <translation>The file is damaged or incomplete.</translation>
    </message>
    <message>
        <source>Das Bild ist zu groß (mehr als 256 Millionen Bildpunkte).</source>
        <translation>The picture is too large (more than 256 million pixels).</translation>
    </message>
    <message>
        <source>Das Bild ist für dieses Dateiformat zu groß. Bitte ein anderes Format wählen, etwa PNG.</source>
        <translation>The picture is too large for this file format. Please choose another format, such as PNG.</translation>
    </message>
    <message>
        <source>Das Bild ist zu groß für den verfügbaren Arbeitsspeicher.</source>
        <translation>The picture is too large for the available memory.</translation>
    </message>
    <message>
        <source>Das ist keine gewöhnliche Datei.</source>
        <translation>This is not a regular file.</translation>
    </message>
    <message>
        <source>Nicht genügend Arbeitsspeicher für dieses Bild.</source>
        <translation>Not enough memory for this picture.</translation>
    </message>
    <message>
        <source>Die Farbtiefe dieses Bildes wird nicht unterstützt.</source>
        <translation>The colour depth of this picture is not supported.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht geschrieben werden.</source>
        <translation>The file cannot be written.</translation>
    </message>
    <message>
        <source>Die Datei ist leer.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>Das Bild hat keine Bildpunkte (Breite oder Höhe 0).</source>
        <translation>The picture has no pixels (width or height 0).</translation>
    </message>
</context>
<context>
    <name>ImageFilters</name>
    <message>
        <source>Windows-Bitmap (*.bmp;*.dib;*.rle)</source>
        <translation>Windows bitmap (*.bmp;*.dib;*.rle)</translation>
    </message>
    <message>
        <source>PNG-Bild (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>JPEG-Bild (*.jpg;*.jpeg;*.jpe;*.jif;*.jfif)</source>
        <translation>JPEG image (*.jpg;*.jpeg;*.jpe;*.jif;*.jfif)</translation>
    </message>
    <message>
        <source>GIF-Bild (*.gif)</source>
        <translation>GIF image (*.gif)</translation>
    </message>
    <message>
        <source>TIFF-Bild (*.tif;*.tiff)</source>
        <translation>TIFF image (*.tif;*.tiff)</translation>
    </message>
    <message>
        <source>Targa-Bild (*.tga)</source>
        <translation>Targa image (*.tga)</translation>
    </message>
    <message>
        <source>WebP-Bild (*.webp)</source>
        <translation>WebP image (*.webp)</translation>
    </message>
    <message>
        <source>Portable Anymap (*.pbm;*.pgm;*.ppm;*.pnm)</source>
        <translation>Portable anymap (*.pbm;*.pgm;*.ppm;*.pnm)</translation>
    </message>
    <message>
        <source>PC Paintbrush (*.pcx)</source>
        <translation>PC Paintbrush (*.pcx)</translation>
    </message>
    <message>
        <source>Amiga IFF (*.iff;*.lbm;*.ilbm)</source>
        <translation>Amiga IFF (*.iff;*.lbm;*.ilbm)</translation>
    </message>
    <message>
        <source>Alle Bilddateien</source>
        <translation>All picture files</translation>
    </message>
    <message>
        <source>Alle Dateien (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Windows-Bitmap (*.bmp)</source>
        <translation>Windows bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>Geräteunabhängige Bitmap (*.dib)</source>
        <translation>Device-independent bitmap (*.dib)</translation>
    </message>
    <message>
        <source>Amiga IFF ILBM (*.iff)</source>
        <translation>Amiga IFF ILBM (*.iff)</translation>
    </message>
    <message>
        <source>JPEG-Bild JFIF (*.jif)</source>
        <translation>JPEG image JFIF (*.jif)</translation>
    </message>
    <message>
        <source>JPEG-Bild (*.jpg)</source>
        <translation>JPEG image (*.jpg)</translation>
    </message>
    <message>
        <source>Amiga IFF PBM (*.lbm)</source>
        <translation>Amiga IFF PBM (*.lbm)</translation>
    </message>
    <message>
        <source>Windows-Bitmap RLE (*.rle)</source>
        <translation>Windows bitmap RLE (*.rle)</translation>
    </message>
    <message>
        <source>TIFF-Bild (*.tif)</source>
        <translation>TIFF image (*.tif)</translation>
    </message>
</context>
<context>
    <name>OverviewPage</name>
    <message>
        <source>Übersicht</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Muster: %1 × %2 Perlen auf %3 Platten (%4 Reihen × %5 Spalten)</source>
        <translation>Pattern: %1 × %2 beads on %3 pegboards (%4 rows × %5 columns)</translation>
    </message>
    <message>
        <source>Perlen insgesamt: %1</source>
        <translation>Beads in total: %1</translation>
    </message>
    <message>
        <source>Perlengröße: %1 – Plattengröße: %2 × %3 Stifte</source>
        <translation>Bead size: %1 – pegboard size: %2 × %3 pegs</translation>
    </message>
    <message>
        <source>Die Platten sind zeilenweise von links oben gezählt: Platte = (Reihe − 1) × %1 + Spalte.</source>
        <translation>The pegboards are counted row by row from the top left: pegboard = (row − 1) × %1 + column.</translation>
    </message>
    <message>
        <source>Muster: %1 × %2 Perlen auf einer Platte</source>
        <translation>Pattern: %1 × %2 beads on one pegboard</translation>
    </message>
</context>
<context>
    <name>Palette</name>
    <message>
        <source>Die Palette konnte nicht geöffnet werden.</source>
        <translation>The palette could not be opened.</translation>
    </message>
    <message>
        <source>Die Palette konnte nicht geschrieben werden.</source>
        <translation>The palette could not be written.</translation>
    </message>
    <message>
        <source>Die Palettendatei ist größer als 1 MiB.</source>
        <translation>The palette file is larger than 1 MiB.</translation>
    </message>
    <message>
        <source>Die Datei ist keine GIMP-Palette (.gpl).</source>
        <translation>The file is not a GIMP palette (.gpl).</translation>
    </message>
    <message>
        <source>Zeile %1 der Palette ist keine Farbe.</source>
        <translation>Line %1 of the palette is not a colour.</translation>
    </message>
    <message>
        <source>Die Palette hat mehr als %1 Farben.</source>
        <translation>The palette has more than %1 colours.</translation>
    </message>
    <message>
        <source>Die Palette enthält keine Farbe.</source>
        <translation>The palette contains no colour.</translation>
    </message>
</context>
<context>
    <name>PatternBook</name>
    <message>
        <source> – Farben (Fortsetzung)</source>
        <translation> – colours (continued)</translation>
    </message>
    <message>
        <source>Farben dieser Platte</source>
        <translation>Colours of this pegboard</translation>
    </message>
    <message>
        <source>Alle Farben</source>
        <translation>All colours</translation>
    </message>
    <message>
        <source>Übersicht</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Vorlage in Originalgröße</source>
        <translation>Pattern at actual size</translation>
    </message>
    <message>
        <source>Die Vorlage wurde nicht gespeichert: abgebrochen.</source>
        <translation>The pattern was not saved: cancelled.</translation>
    </message>
    <message>
        <source>Es gibt kein Perlenmuster für die Vorlage.</source>
        <translation>There is no bead pattern for the template.</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht angelegt werden.</source>
        <translation>The file %1 could not be created.</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht vollständig geschrieben werden; eine vorhandene Datei dieses Namens bleibt unverändert.</source>
        <translation>The file %1 could not be written completely; an existing file of this name stays unchanged.</translation>
    </message>
</context>
<context>
    <name>PrintCommand</name>
    <message>
        <source>Bild drucken</source>
        <translation>Print picture</translation>
    </message>
    <message>
        <source>Es ist kein Drucker eingerichtet. Das Bild wird stattdessen als PDF-Datei gespeichert.</source>
        <translation>No printer is set up. The picture is saved as a PDF file instead.</translation>
    </message>
    <message>
        <source>Als PDF-Datei drucken</source>
        <translation>Print to PDF file</translation>
    </message>
    <message>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>Es gibt kein Bild zum Drucken.</source>
        <translation>There is no picture to print.</translation>
    </message>
    <message>
        <source>Der Druckauftrag konnte nicht gestartet werden. Bitte prüfen Sie den Drucker oder den Namen der Ausgabedatei.</source>
        <translation>The print job could not be started. Please check the printer or the name of the output file.</translation>
    </message>
    <message>
        <source>Die PDF-Datei konnte nicht vollständig geschrieben werden (Datenträger voll?). Eine vorhandene Datei bleibt unverändert.</source>
        <translation>The PDF file could not be written completely (disk full?). An existing file stays unchanged.</translation>
    </message>
    <message>
        <source>Das Ziel ist keine gewöhnliche Datei und wird nicht überschrieben.</source>
        <translation>The target is not a regular file and is not overwritten.</translation>
    </message>
</context>
<context>
    <name>Project</name>
    <message>
        <source>Das Projekt %1 konnte nicht gespeichert werden.
%2
Eine vorhandene Datei dieses Namens ist unverändert geblieben.</source>
        <translation>The project %1 could not be saved.
%2
An existing file of this name has stayed unchanged.</translation>
    </message>
    <message>
        <source>Tessora-Projekt (*.tessora)</source>
        <translation>Tessora project (*.tessora)</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geöffnet werden.</source>
        <translation>The file %1 could not be opened.</translation>
    </message>
    <message>
        <source>Die Datei %1 ist kein Tessora-Projekt.</source>
        <translation>The file %1 is not a Tessora project.</translation>
    </message>
    <message>
        <source>Das Projekt %1 stammt von einer neueren Version von Tessora und kann mit dieser Version nicht geöffnet werden.</source>
        <translation>The project %1 comes from a newer version of Tessora and cannot be opened with this version.</translation>
    </message>
    <message>
        <source>Das Projekt %1 ist beschädigt und kann nicht geöffnet werden.</source>
        <translation>The project %1 is damaged and cannot be opened.</translation>
    </message>
    <message>
        <source>Das Bild im Projekt %1 ist zu groß und kann nicht geöffnet werden.</source>
        <translation>The picture in the project %1 is too large and cannot be opened.</translation>
    </message>
    <message>
        <source>Für das Projekt %1 reicht der Arbeitsspeicher nicht.</source>
        <translation>There is not enough memory for the project %1.</translation>
    </message>
    <message>
        <source>Es ist kein Bild geladen.</source>
        <translation>No picture is loaded.</translation>
    </message>
    <message>
        <source>Der Ordner fehlt oder ist nicht beschreibbar.</source>
        <translation>The folder is missing or cannot be written to.</translation>
    </message>
    <message>
        <source>Auf dem Datenträger ist nicht genug Platz.</source>
        <translation>There is not enough space on the disk.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht geschrieben werden.</source>
        <translation>The file could not be written.</translation>
    </message>
</context>
<context>
    <name>SaveCommand</name>
    <message>
        <source>Bild speichern unter</source>
        <translation>Save picture as</translation>
    </message>
    <message>
        <source>Die Datei %1 ist schon vorhanden.
Möchten Sie sie ersetzen?</source>
        <translation>The file %1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Speichere …</source>
        <translation>Saving …</translation>
    </message>
    <message>
        <source>Bild speichern</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht gespeichert werden.
%2</source>
        <translation>The file %1 could not be saved.
%2</translation>
    </message>
</context>
<context>
    <name>tessora::AboutBox</name>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Tessora 1.0 – Perlenmuster</source>
        <translation>Tessora 1.0 – bead patterns</translation>
    </message>
    <message>
        <source>Copyright © XXXX Kelvara. Alle Rechte vorbehalten.</source>
        <translation>Copyright © XXXX Kelvara. All rights reserved.</translation>
    </message>
    <message>
        <source>Aus jedem Bild ein Bügelperlenmuster:
Perle für Perle, Farbe für Farbe.</source>
        <translation>A fuse bead pattern from any picture:
bead by bead, colour by colour.</translation>
    </message>
    <message>
        <source>Programme für Bastler und Kreative</source>
        <translation>Programs for crafters and creatives</translation>
    </message>
    <message>
        <source>Kelvara entwickelt kleine, verlässliche Programme für Hobby und Handwerk. Tessora zählt Ihre Perlen, druckt Ihre Vorlagen und merkt sich Ihre Farben, damit Sie mehr Zeit zum Stecken und Bügeln haben. Anregungen und Fragen nehmen wir gern über unsere Homepage entgegen.</source>
        <translation>Kelvara makes small, dependable programs for hobbies and crafts. Tessora counts your beads, prints your patterns and remembers your colours, so you have more time for placing beads and ironing. We welcome suggestions and questions through our homepage.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tessora::BoardCountsView</name>
    <message>
        <source>Platte</source>
        <translation>Pegboard</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Count</translation>
    </message>
</context>
<context>
    <name>tessora::BottomBar</name>
    <message>
        <source>Auf zur Kelvara Homepage...</source>
        <translation>Off to the Kelvara homepage...</translation>
    </message>
    <message>
        <source>Informationen über das Programm</source>
        <translation>Information about the program</translation>
    </message>
    <message>
        <source>Hiermit verlassen Sie das Programm</source>
        <translation>This closes the program</translation>
    </message>
</context>
<context>
    <name>tessora::CalculatePage</name>
    <message>
        <source>Perlenmuster berechnen - Ergebnis bertrachten</source>
        <translation>Calculate the bead pattern - view the result</translation>
    </message>
    <message>
        <source>Muster berechnen...</source>
        <translation>Calculate the pattern...</translation>
    </message>
    <message>
        <source>Berechnen</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Nachbearbeiten</source>
        <translation>Edit beads</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Letzte Perlen-Änderung zurücknehmen (Strg+Z)</source>
        <translation>Undo the last bead change (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Zurückgenommene Perlen-Änderung wiederholen (Strg+Y)</source>
        <translation>Redo the undone bead change (Ctrl+Y)</translation>
    </message>
</context>
<context>
    <name>tessora::ColourPage</name>
    <message>
        <source>Farbeinstellungen (*.frb)</source>
        <translation>Colour settings (*.frb)</translation>
    </message>
    <message>
        <source>Wählen Sie die Perlen-Farben aus, die sie benutzen möchten</source>
        <translation>Choose the bead colours you want to use</translation>
    </message>
    <message>
        <source>Farben - stellen Sie ein, welche Perlen-Farben sie benutzen möchten</source>
        <translation>Colours - set which bead colours you want to use</translation>
    </message>
    <message>
        <source>Farben einstellen...</source>
        <translation>Set the colours...</translation>
    </message>
    <message>
        <source>Farben</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Farbeinstellungen öffnen...</source>
        <translation>Open colour settings...</translation>
    </message>
    <message>
        <source>Farbeinstellungen speichern...</source>
        <translation>Save colour settings...</translation>
    </message>
    <message>
        <source>Methode der Farbumrechnung</source>
        <translation>Colour matching method</translation>
    </message>
    <message>
        <source>Am besten &amp;passenste Farbe</source>
        <translation>Best &amp;matching colour</translation>
    </message>
    <message>
        <source>Dithering</source>
        <translation>Dithering</translation>
    </message>
    <message>
        <source>Welche Farben wollen Sie benutzen?</source>
        <translation>Which colours do you want to use?</translation>
    </message>
    <message>
        <source>Nichts auswählen</source>
        <translation>Select none</translation>
    </message>
    <message>
        <source>Alles auswählen</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>%1 Hama-Farbnummer: %2 ; R: %3 G:%4 B:%5</source>
        <translation>%1 Hama colour number: %2 ; R: %3 G:%4 B:%5</translation>
    </message>
    <message>
        <source>Farbeinstellungen speichern</source>
        <translation>Save colour settings</translation>
    </message>
    <message>
        <source>Farbeinstellungen öffnen</source>
        <translation>Open colour settings</translation>
    </message>
    <message>
        <source>Die Farbeinstellungen konnten nicht in der Datei %1 gespeichert werden.
%2</source>
        <translation>The colour settings could not be saved in the file %1.
%2</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht als Farbeinstellungen gelesen werden.
%2</source>
        <translation>The file %1 could not be read as colour settings.
%2</translation>
    </message>
    <message>
        <source>Paletten (*.gpl)</source>
        <translation>Palettes (*.gpl)</translation>
    </message>
    <message>
        <source>Palette öffnen…</source>
        <translation>Open palette…</translation>
    </message>
    <message>
        <source>Palette speichern…</source>
        <translation>Save palette…</translation>
    </message>
    <message>
        <source>Perlensortiment:</source>
        <translation>Bead range:</translation>
    </message>
    <message>
        <source>%1 Farbnummer: %2 ; R: %3 G:%4 B:%5</source>
        <translation>%1 colour number: %2 ; R: %3 G:%4 B:%5</translation>
    </message>
    <message>
        <source>Palette öffnen</source>
        <translation>Open palette</translation>
    </message>
    <message>
        <source>Die Palette %1 konnte nicht geladen werden!
%2</source>
        <translation>The palette %1 could not be loaded!
%2</translation>
    </message>
    <message>
        <source>Palette speichern</source>
        <translation>Save palette</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geschrieben werden!
%2</source>
        <translation>The file %1 could not be written!
%2</translation>
    </message>
</context>
<context>
    <name>tessora::LoadPage</name>
    <message>
        <source>Motiv laden - Suchen sie die Grafikdatei mit dem Muster und öffnen Sie diese per Doppelklick</source>
        <translation>Load motif - Find the picture file with the motif and open it with a double-click</translation>
    </message>
    <message>
        <source>Hier können Sie die angezeigten Dateitypen wählen</source>
        <translation>Choose which file types are shown here</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>Zeigt eine Vorschau des geladenen Bildes</source>
        <translation>Shows a preview of the loaded picture</translation>
    </message>
    <message>
        <source>Lade Bild …</source>
        <translation>Loading picture …</translation>
    </message>
    <message>
        <source>Fehler: Die Datei %1 konnte nicht geladen werden!</source>
        <translation>Error: The file %1 could not be loaded!</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>tessora::MainWindow</name>
    <message>
        <source>Projekt öffnen</source>
        <translation>Open project</translation>
    </message>
    <message>
        <source>Projekt speichern unter</source>
        <translation>Save project as</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Wiederherstellen</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Letzte Sitzung wiederherstellen?</source>
        <translation>Restore the last session?</translation>
    </message>
    <message>
        <source>Es ist kein Bild geladen, aus dem ein Muster berechnet werden könnte.</source>
        <translation>No picture is loaded that a pattern could be calculated from.</translation>
    </message>
    <message>
        <source>Nicht genügend Arbeitsspeicher! Das Bild konnte nicht angelegt werden. Versuchen Sie es mit weniger Perlen.</source>
        <translation>Not enough memory! The picture could not be created. Try it with fewer beads.</translation>
    </message>
    <message>
        <source>Projekt öffnen…</source>
        <translation>Open project…</translation>
    </message>
    <message>
        <source>Projekt speichern</source>
        <translation>Save project</translation>
    </message>
    <message>
        <source>Projekt speichern unter…</source>
        <translation>Save project as…</translation>
    </message>
    <message>
        <source>Keine zuletzt geöffneten Projekte</source>
        <translation>No recently opened projects</translation>
    </message>
    <message>
        <source>Berechne …</source>
        <translation>Calculating …</translation>
    </message>
    <message>
        <source>Programm beenden</source>
        <translation>Exit the program</translation>
    </message>
    <message>
        <source>Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!</source>
        <translation>This exits the program! All unsaved data will be lost!</translation>
    </message>
    <message>
        <source>Änderungen am Muster speichern?</source>
        <translation>Save the changes to the pattern?</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Keine Farbe ausgewählt: es wurde Farbe %1 verwendet.</source>
        <translation>No colour selected: colour %1 was used.</translation>
    </message>
    <message>
        <source>Perlensortiment</source>
        <translation>Bead range</translation>
    </message>
    <message>
        <source>Motiv laden</source>
        <translation>Load motif</translation>
    </message>
    <message>
        <source>Größe</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Farben</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Berechnen</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Ergebnis verarbeiten</source>
        <translation>Use the result</translation>
    </message>
    <message>
        <source>Statistik</source>
        <translation>Statistics</translation>
    </message>
</context>
<context>
    <name>tessora::MatchingOptions</name>
    <message>
        <source>Umrechnung</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Höchstens</source>
        <translation>At most</translation>
    </message>
    <message>
        <source>Farbabstand:</source>
        <translation>Colour distance:</translation>
    </message>
    <message>
        <source>Farben</source>
        <translation>colours</translation>
    </message>
    <message>
        <source>Transparente Stellen frei lassen</source>
        <translation>Leave transparent areas empty</translation>
    </message>
    <message>
        <source>Hintergrund entfernen</source>
        <translation>Remove background</translation>
    </message>
    <message>
        <source>Toleranz:</source>
        <translation>Tolerance:</translation>
    </message>
    <message>
        <source>Gewählt: </source>
        <translation>Chosen: </translation>
    </message>
</context>
<context>
    <name>tessora::PrintDialog</name>
    <message>
        <source>Bild drucken...</source>
        <translation>Print picture...</translation>
    </message>
    <message>
        <source>Vorschau:</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>Druckgröße</source>
        <translation>Print size</translation>
    </message>
    <message>
        <source>Seite voll nutzen</source>
        <translation>Fill the page</translation>
    </message>
    <message>
        <source>Benutzerdefiniert</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Breite in %:</source>
        <translation>Width in %:</translation>
    </message>
    <message>
        <source>Höhe in %:</source>
        <translation>Height in %:</translation>
    </message>
    <message>
        <source>Druckoptionen</source>
        <translation>Print options</translation>
    </message>
    <message>
        <source>Seitenverhältnis beibehalten</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>Zentrierte Ausgabe</source>
        <translation>Centred on the page</translation>
    </message>
    <message>
        <source>Drucker &amp;einrichten...</source>
        <translation>Printer &amp;setup...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>A&amp;bbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Drucker einrichten</source>
        <translation>Printer setup</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tessora::ResultPage</name>
    <message>
        <source>Ergebnis verarbeiten - Muster bertrachten, speichern und drucken</source>
        <translation>Use the result - view, save and print the pattern</translation>
    </message>
    <message>
        <source>Ergebnis verarbeiten...</source>
        <translation>Use the result...</translation>
    </message>
    <message>
        <source>Bild &amp;speichern unter...</source>
        <translation>&amp;Save picture as...</translation>
    </message>
    <message>
        <source>Bild &amp;drucken...</source>
        <translation>&amp;Print picture...</translation>
    </message>
    <message>
        <source>Zoom in %:</source>
        <translation>Zoom in %:</translation>
    </message>
    <message>
        <source>Vorlage in Originalgröße…</source>
        <translation>Pattern at actual size…</translation>
    </message>
</context>
<context>
    <name>tessora::SizePage</name>
    <message>
        <source>Größe - Stellen Sie die Garneigenschaften und die gewünschte Größe ein</source>
        <translation>Size - Set the bead properties and the size you want</translation>
    </message>
    <message>
        <source>Größe festlegen...</source>
        <translation>Set the size...</translation>
    </message>
    <message>
        <source>Informationen über das geladene Bild</source>
        <translation>About the loaded picture</translation>
    </message>
    <message>
        <source>Zeigt die Breite des gewählten Bildes in Pixeln</source>
        <translation>Shows the width of the chosen picture in pixels</translation>
    </message>
    <message>
        <source>Zeigt die Höhe des gewählten Bildes in Pixeln</source>
        <translation>Shows the height of the chosen picture in pixels</translation>
    </message>
    <message>
        <source>Zeigt die Anzahl der Farben des gewählten Bildes</source>
        <translation>Shows the number of colours in the chosen picture</translation>
    </message>
    <message>
        <source>Breite:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Höhe:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Farben:</source>
        <translation>Colours:</translation>
    </message>
    <message>
        <source>Gewünschte Größe des Motivs</source>
        <translation>Size of the motif</translation>
    </message>
    <message>
        <source>Seitenverhältnis beibehalten</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>Breite in Perlen:</source>
        <translation>Width in beads:</translation>
    </message>
    <message>
        <source>Höhe in Perlen:</source>
        <translation>Height in beads:</translation>
    </message>
    <message>
        <source> Pixels</source>
        <translation> pixels</translation>
    </message>
</context>
<context>
    <name>tessora::StatisticsPage</name>
    <message>
        <source>Farbe</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Statistik - Wie viele Perlen von welcher Sorte werden benötigt?</source>
        <translation>Statistics - How many beads of each kind are needed?</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Kopiert die Anzahlen als Text in die Zwischenablage</source>
        <translation>Copies the counts as text to the clipboard</translation>
    </message>
    <message>
        <source>Perlen je Platte (wie in der Vorlage in Originalgröße):</source>
        <translation>Beads per pegboard (as in the pattern at actual size):</translation>
    </message>
    <message>
        <source>Perlen insgesamt: %1    Farben: %2</source>
        <translation>Beads in total: %1    colours: %2</translation>
    </message>
</context>
<context>
    <name>tessora::SwatchGrid</name>
    <message>
        <source>Farbe</source>
        <translation>Colour</translation>
    </message>
</context>
<context>
    <name>tessora::TemplateDialog</name>
    <message>
        <source>Vorlage in Originalgröße</source>
        <translation>Pattern at actual size</translation>
    </message>
    <message>
        <source>Querformat</source>
        <translation>landscape</translation>
    </message>
    <message>
        <source>Hochformat</source>
        <translation>portrait</translation>
    </message>
    <message>
        <source>Midi (5 mm)</source>
        <translation>Midi (5 mm)</translation>
    </message>
    <message>
        <source>Mini (2,5 mm)</source>
        <translation>Mini (2.5 mm)</translation>
    </message>
    <message>
        <source>Maxi (10 mm)</source>
        <translation>Maxi (10 mm)</translation>
    </message>
    <message>
        <source>Freier Abstand</source>
        <translation>Custom pitch</translation>
    </message>
    <message>
        <source>Papier einrichten...</source>
        <translation>Paper setup...</translation>
    </message>
    <message>
        <source>Vorschau...</source>
        <translation>Preview...</translation>
    </message>
    <message>
        <source>Als PDF speichern…</source>
        <translation>Save as PDF…</translation>
    </message>
    <message>
        <source>Drucken...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Perlengröße:</source>
        <translation>Bead size:</translation>
    </message>
    <message>
        <source>Abstand der Stifte:</source>
        <translation>Peg pitch:</translation>
    </message>
    <message>
        <source>Plattengröße in Stiften:</source>
        <translation>Pegboard size in pegs:</translation>
    </message>
    <message>
        <source>Papier:</source>
        <translation>Paper:</translation>
    </message>
    <message>
        <source>%1 × %2 Perlen auf %3 Platten (%4 × %5)</source>
        <translation>%1 × %2 beads on %3 pegboards (%4 × %5)</translation>
    </message>
    <message>
        <source>Papier einrichten</source>
        <translation>Paper setup</translation>
    </message>
    <message>
        <source>Die Vorlage wird erstellt...</source>
        <translation>Making the pattern...</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Als PDF speichern</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>Die Datei %1 gibt es schon. Ersetzen?</source>
        <translation>The file %1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>Vorschau – %1</source>
        <translation>Preview – %1</translation>
    </message>
    <message>
        <source>Vorlage drucken</source>
        <translation>Print pattern</translation>
    </message>
    <message>
        <source>Die Vorlage konnte nicht gedruckt werden.</source>
        <translation>The pattern could not be printed.</translation>
    </message>
    <message>
        <source>%1 × %2 Perlen auf einer Platte</source>
        <translation>%1 × %2 beads on one pegboard</translation>
    </message>
</context>
</TS>
