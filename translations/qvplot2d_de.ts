<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Qvplot2D</name>
    <message>
        <source>A component named %s already exists</source>
        <translation>Eine Komponente namens %s ist bereits vorhanden</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid component name</source>
        <translation>&apos;%s&apos; ist kein gültiger Komponentenname</translation>
    </message>
    <message>
        <source>Class %s not found</source>
        <translation>Klasse %s nicht gefunden</translation>
    </message>
    <message>
        <source>Class %s is not a component class</source>
        <translation>Klasse %s ist keine Komponentenklasse</translation>
    </message>
    <message>
        <source>Class %s has no invokable constructor taking an owner</source>
        <translation>Klasse %s hat keinen aufrufbaren Konstruktor, der einen Besitzer übernimmt</translation>
    </message>
    <message>
        <source>Cannot assign a %s to a %s</source>
        <translation>%s kann nicht %s zugewiesen werden</translation>
    </message>
    <message>
        <source>A control cannot be its own parent</source>
        <translation>Ein Steuerelement kann nicht sein eigenes übergeordnetes Element sein</translation>
    </message>
    <message>
        <source>Control %s cannot become a child of one of its own children</source>
        <translation>Steuerelement %s kann nicht einem seiner eigenen untergeordneten Elemente untergeordnet werden</translation>
    </message>
    <message>
        <source>Control %s is not a parent of control %s</source>
        <translation>Steuerelement %s ist Steuerelement %s nicht übergeordnet</translation>
    </message>
    <message>
        <source>List index out of bounds (%d)</source>
        <translation>Listenindex außerhalb des gültigen Bereichs (%d)</translation>
    </message>
    <message>
        <source>Stream read error</source>
        <translation>Fehler beim Lesen des Streams</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <translation>Fehler beim Schreiben des Streams</translation>
    </message>
    <message>
        <source>Values are nested deeper than %d levels</source>
        <translation>Werte sind tiefer als %d Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ungültiger Eigenschaftswert</translation>
    </message>
    <message>
        <source>A stored text of %d bytes is longer than the %d bytes left in the stream</source>
        <translation>Ein gespeicherter Text mit %d Byte ist länger als die %d im Stream verbleibenden Byte</translation>
    </message>
    <message>
        <source>Property %s does not exist</source>
        <translation>Eigenschaft %s ist nicht vorhanden</translation>
    </message>
    <message>
        <source>Unknown extension block in a stored %s record</source>
        <translation>Unbekannter Erweiterungsblock in einem gespeicherten %s-Datensatz</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%s&quot;: %s</source>
        <translation>Datei &quot;%s&quot; kann nicht geöffnet werden: %s</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%s&quot;: %s</source>
        <translation>Datei &quot;%s&quot; kann nicht geschrieben werden: %s</translation>
    </message>
    <message>
        <source>The owner &quot;%s&quot; of the stored component &quot;%s&quot; does not exist</source>
        <translation>Der Besitzer &quot;%s&quot; der gespeicherten Komponente &quot;%s&quot; ist nicht vorhanden</translation>
    </message>
    <message>
        <source>The stored component &quot;%s&quot; is a %s here, not a %s</source>
        <translation>Die gespeicherte Komponente &quot;%s&quot; ist hier vom Typ %s, nicht vom Typ %s</translation>
    </message>
    <message>
        <source>The stored class %s is not a %s</source>
        <translation>Die gespeicherte Klasse %s ist nicht vom Typ %s</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is not a graph document</source>
        <translation>&quot;%s&quot; ist kein Diagrammdokument</translation>
    </message>
    <message>
        <source>Invalid INI section name &quot;%s&quot;</source>
        <translation>Ungültiger INI-Abschnittsname &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Invalid INI key &quot;%s&quot;</source>
        <translation>Ungültiger INI-Schlüssel &quot;%s&quot;</translation>
    </message>
    <message>
        <source>The value of INI key &quot;%s&quot; contains a line break</source>
        <translation>Der Wert des INI-Schlüssels &quot;%s&quot; enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>XML error at line %d, column %d: %s</source>
        <translation>XML-Fehler in Zeile %d, Spalte %d: %s</translation>
    </message>
    <message>
        <source>The XML document has no document element</source>
        <translation>Das XML-Dokument hat kein Dokumentelement</translation>
    </message>
    <message>
        <source>Operation on an empty XML node</source>
        <translation>Operation auf einem leeren XML-Knoten</translation>
    </message>
    <message>
        <source>Invalid XML name &quot;%s&quot;</source>
        <translation>Ungültiger XML-Name &quot;%s&quot;</translation>
    </message>
    <message>
        <source>The XML document already has a document element</source>
        <translation>Das XML-Dokument hat bereits ein Dokumentelement</translation>
    </message>
    <message>
        <source>XML node &quot;%s&quot; is not a child of node &quot;%s&quot;</source>
        <translation>XML-Knoten &quot;%s&quot; ist kein untergeordneter Knoten von Knoten &quot;%s&quot;</translation>
    </message>
    <message>
        <source>More than one document element</source>
        <translation>Mehr als ein Dokumentelement</translation>
    </message>
    <message>
        <source>Text outside the document element</source>
        <translation>Text außerhalb des Dokumentelements</translation>
    </message>
    <message>
        <source>The data set has no current record</source>
        <translation>Die Datenmenge hat keinen aktuellen Datensatz</translation>
    </message>
    <message>
        <source>i=%d index out of range</source>
        <translation>i=%d: Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>TQvIndexer is not supposed to set values!</source>
        <translation>TQvIndexer darf keine Werte setzen!</translation>
    </message>
    <message>
        <source>A stored count of %d items of %d bytes does not fit into the %d bytes left in the stream</source>
        <translation>Eine gespeicherte Anzahl von %d Elementen zu je %d Byte passt nicht in die %d im Stream verbleibenden Byte</translation>
    </message>
    <message>
        <source>The clipboard needs a running QGuiApplication</source>
        <translation>Die Zwischenablage benötigt eine laufende QGuiApplication</translation>
    </message>
    <message>
        <source>Printing not in progress</source>
        <translation>Es läuft kein Druckvorgang</translation>
    </message>
    <message>
        <source>Printing in progress</source>
        <translation>Druckvorgang läuft</translation>
    </message>
    <message>
        <source>No printer is installed; set an output file to print into a PDF file</source>
        <translation>Es ist kein Drucker installiert; legen Sie eine Ausgabedatei fest, um in eine PDF-Datei zu drucken</translation>
    </message>
    <message>
        <source>The print job could not be started</source>
        <translation>Der Druckauftrag konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Gradient visible</source>
        <translation>Farbverlauf sichtbar</translation>
    </message>
    <message>
        <source>Gradient style</source>
        <translation>Farbverlaufsstil</translation>
    </message>
    <message>
        <source>Gradient first color</source>
        <translation>Erste Farbe des Farbverlaufs</translation>
    </message>
    <message>
        <source>Gradient middle color</source>
        <translation>Mittlere Farbe des Farbverlaufs</translation>
    </message>
    <message>
        <source>Gradient last color</source>
        <translation>Letzte Farbe des Farbverlaufs</translation>
    </message>
    <message>
        <source>Linear gradient angle</source>
        <translation>Winkel des linearen Farbverlaufs</translation>
    </message>
    <message>
        <source>Linear gradient center</source>
        <translation>Mittelpunkt des linearen Farbverlaufs</translation>
    </message>
    <message>
        <source>X component of gradient center</source>
        <translation>X-Komponente des Farbverlaufsmittelpunkts</translation>
    </message>
    <message>
        <source>Y component of gradient center</source>
        <translation>Y-Komponente des Farbverlaufsmittelpunkts</translation>
    </message>
    <message>
        <source>Line width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <source>Line dash style</source>
        <translation>Strichart der Linie</translation>
    </message>
    <message>
        <source>Line color</source>
        <translation>Linienfarbe</translation>
    </message>
    <message>
        <source>Line visible</source>
        <translation>Linie sichtbar</translation>
    </message>
    <message>
        <source>Filled area visible</source>
        <translation>Gefüllte Fläche sichtbar</translation>
    </message>
    <message>
        <source>Area fill style</source>
        <translation>Füllstil der Fläche</translation>
    </message>
    <message>
        <source>Area fill foreground color</source>
        <translation>Vordergrundfarbe der Flächenfüllung</translation>
    </message>
    <message>
        <source>Area fill background color</source>
        <translation>Hintergrundfarbe der Flächenfüllung</translation>
    </message>
    <message>
        <source>Point symbol visible</source>
        <translation>Punktsymbol sichtbar</translation>
    </message>
    <message>
        <source>Point symbol borderline width</source>
        <translation>Randlinienbreite des Punktsymbols</translation>
    </message>
    <message>
        <source>Point symbol size</source>
        <translation>Größe des Punktsymbols</translation>
    </message>
    <message>
        <source>Point symbol borderline color</source>
        <translation>Randlinienfarbe des Punktsymbols</translation>
    </message>
    <message>
        <source>Point symbol fill color</source>
        <translation>Füllfarbe des Punktsymbols</translation>
    </message>
    <message>
        <source>Point symbol selection</source>
        <translation>Auswahl des Punktsymbols</translation>
    </message>
    <message>
        <source>Arrow tip point length</source>
        <translation>Länge der Pfeilspitze</translation>
    </message>
    <message>
        <source>Arrow tip point inner length</source>
        <translation>Innere Länge der Pfeilspitze</translation>
    </message>
    <message>
        <source>Arrow tip point height</source>
        <translation>Höhe der Pfeilspitze</translation>
    </message>
    <message>
        <source>Axis arrow tip point length</source>
        <translation>Länge der Achsenpfeilspitze</translation>
    </message>
    <message>
        <source>Axis arrow tip point inner length</source>
        <translation>Innere Länge der Achsenpfeilspitze</translation>
    </message>
    <message>
        <source>Axis arrow tip point height</source>
        <translation>Höhe der Achsenpfeilspitze</translation>
    </message>
    <message>
        <source>Axis arrow visible</source>
        <translation>Achsenpfeil sichtbar</translation>
    </message>
    <message>
        <source>The stored zoom buffer of the axis does not match its stage index</source>
        <translation>Der gespeicherte Zoompuffer der Achse passt nicht zu ihrem Stufenindex</translation>
    </message>
    <message>
        <source>%s has no published property &quot;%s&quot;</source>
        <translation>%s hat keine veröffentlichte Eigenschaft &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Property link &quot;%s&quot;: there is no form or data module named &quot;%s&quot;</source>
        <translation>Eigenschaftsverknüpfung &quot;%s&quot;: Es gibt kein Formular und kein Datenmodul namens &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Property link &quot;%s&quot;: &quot;%s&quot; is neither a component nor a published property of %s</source>
        <translation>Eigenschaftsverknüpfung &quot;%s&quot;: &quot;%s&quot; ist weder eine Komponente noch eine veröffentlichte Eigenschaft von %s</translation>
    </message>
    <message>
        <source>Property link &quot;%s&quot;: &quot;%s&quot; holds no object</source>
        <translation>Eigenschaftsverknüpfung &quot;%s&quot;: &quot;%s&quot; enthält kein Objekt</translation>
    </message>
    <message>
        <source>Property link &quot;%s&quot; ends at an object, not at a value</source>
        <translation>Eigenschaftsverknüpfung &quot;%s&quot; endet bei einem Objekt, nicht bei einem Wert</translation>
    </message>
    <message>
        <source>Tune colors</source>
        <translation>Farben anpassen</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Lightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Deckkraft</translation>
    </message>
    <message>
        <source>Property: &quot;%s&quot; not found</source>
        <translation>Eigenschaft: &quot;%s&quot; nicht gefunden</translation>
    </message>
    <message>
        <source>Component does not have a name</source>
        <translation>Komponente hat keinen Namen</translation>
    </message>
    <message>
        <source>Undo stack has too many StopGroup statements</source>
        <translation>Der Rückgängig-Stapel enthält zu viele StopGroup-Anweisungen</translation>
    </message>
    <message>
        <source>The undo history is damaged and has been cleared: %s</source>
        <translation>Der Rückgängig-Verlauf ist beschädigt und wurde gelöscht: %s</translation>
    </message>
    <message>
        <source>The undo stack cannot free or restore itself or a component that owns it: &quot;%s&quot;</source>
        <translation>Der Rückgängig-Stapel kann weder sich selbst noch eine Komponente, die ihn besitzt, freigeben oder wiederherstellen: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>The list of undo steps cannot be changed</source>
        <translation>Die Liste der Rückgängig-Schritte kann nicht geändert werden</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Undo last operation</source>
        <translation>Letzten Vorgang rückgängig machen</translation>
    </message>
    <message>
        <source>Redo last operation</source>
        <translation>Letzten Vorgang wiederholen</translation>
    </message>
    <message>
        <source>Undo last %d operations</source>
        <translation>Letzte %d Vorgänge rückgängig machen</translation>
    </message>
    <message>
        <source>Redo last %d operations</source>
        <translation>Letzte %d Vorgänge wiederholen</translation>
    </message>
    <message>
        <source>Cannot create the undo file &quot;%s&quot;: %s</source>
        <translation>Die Rückgängig-Datei &quot;%s&quot; kann nicht erstellt werden: %s</translation>
    </message>
    <message>
        <source>Image format &quot;%s&quot; is not supported</source>
        <translation>Das Bildformat &quot;%s&quot; wird nicht unterstützt</translation>
    </message>
    <message>
        <source>Cannot write the image as %s: %s</source>
        <translation>Das Bild kann nicht als %s geschrieben werden: %s</translation>
    </message>
    <message>
        <source>Cannot read the image file &quot;%s&quot;: %s</source>
        <translation>Die Bilddatei &quot;%s&quot; kann nicht gelesen werden: %s</translation>
    </message>
    <message>
        <source>Cannot tell the image format of &quot;%s&quot; from its extension</source>
        <translation>Das Bildformat von &quot;%s&quot; lässt sich nicht an der Dateierweiterung erkennen</translation>
    </message>
    <message>
        <source>Cannot save an empty image as GIF</source>
        <translation>Ein leeres Bild kann nicht als GIF gespeichert werden</translation>
    </message>
    <message>
        <source>A GIF image is at most 65535 x 65535 pixels, not %d x %d</source>
        <translation>Ein GIF-Bild ist höchstens 65535 x 65535 Pixel groß, nicht %d x %d</translation>
    </message>
    <message>
        <source>Cannot write the GIF image: %s</source>
        <translation>Das GIF-Bild kann nicht geschrieben werden: %s</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is not a valid floating point value</source>
        <translation>&quot;%s&quot; ist kein gültiger Gleitkommawert</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is not a valid integer value</source>
        <translation>&quot;%s&quot; ist kein gültiger Ganzzahlwert</translation>
    </message>
    <message>
        <source>Error during integer extraction</source>
        <translation>Fehler beim Auslesen einer Ganzzahl</translation>
    </message>
    <message>
        <source>Error during floating point number extraction</source>
        <translation>Fehler beim Auslesen einer Gleitkommazahl</translation>
    </message>
    <message>
        <source>Error no negative Time Span allowed</source>
        <translation>Fehler: Negative Zeitspanne nicht zulässig</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is not a valid time span</source>
        <translation>&quot;%s&quot; ist keine gültige Zeitspanne</translation>
    </message>
    <message>
        <source>Invalid argument to date encode</source>
        <translation>Ungültiges Argument für die Datumskodierung</translation>
    </message>
    <message>
        <source>Invalid argument to time encode</source>
        <translation>Ungültiges Argument für die Zeitkodierung</translation>
    </message>
    <message>
        <source>%s is not a valid date and time value</source>
        <translation>%s ist kein gültiger Datums- und Zeitwert</translation>
    </message>
    <message>
        <source>Graph title alignment</source>
        <translation>Ausrichtung des Diagrammtitels</translation>
    </message>
    <message>
        <source>Graph background color</source>
        <translation>Hintergrundfarbe des Diagramms</translation>
    </message>
    <message>
        <source>Color of graph title</source>
        <translation>Farbe des Diagrammtitels</translation>
    </message>
    <message>
        <source>Distance below graph title</source>
        <translation>Abstand unterhalb des Diagrammtitels</translation>
    </message>
    <message>
        <source>Distance above graph title</source>
        <translation>Abstand oberhalb des Diagrammtitels</translation>
    </message>
    <message>
        <source>Font of graph title</source>
        <translation>Schriftart des Diagrammtitels</translation>
    </message>
    <message>
        <source>Visibility of graph title</source>
        <translation>Sichtbarkeit des Diagrammtitels</translation>
    </message>
    <message>
        <source>Caption used in title of graph</source>
        <translation>Text des Diagrammtitels</translation>
    </message>
    <message>
        <source>Color of graph data area</source>
        <translation>Farbe des Datenbereichs</translation>
    </message>
    <message>
        <source>Graph axes cross at (0,0)</source>
        <translation>Diagrammachsen schneiden sich bei (0,0)</translation>
    </message>
    <message>
        <source>Graph border distance at top</source>
        <translation>Oberer Randabstand des Diagramms</translation>
    </message>
    <message>
        <source>Graph border distance at bottom</source>
        <translation>Unterer Randabstand des Diagramms</translation>
    </message>
    <message>
        <source>Graph border distance left</source>
        <translation>Linker Randabstand des Diagramms</translation>
    </message>
    <message>
        <source>Graph border distance right</source>
        <translation>Rechter Randabstand des Diagramms</translation>
    </message>
    <message>
        <source>Graph primary X-axis</source>
        <translation>Primäre X-Achse des Diagramms</translation>
    </message>
    <message>
        <source>Graph primary Y-axis</source>
        <translation>Primäre Y-Achse des Diagramms</translation>
    </message>
    <message>
        <source>Graph series data</source>
        <translation>Datenreihen des Diagramms</translation>
    </message>
    <message>
        <source>Apply theme to graph</source>
        <translation>Design auf das Diagramm anwenden</translation>
    </message>
    <message>
        <source>Internal name of the graph control</source>
        <translation>Interner Name des Diagrammsteuerelements</translation>
    </message>
    <message>
        <source>X-Axis</source>
        <translation>X-Achse</translation>
    </message>
    <message>
        <source>Y-Axis</source>
        <translation>Y-Achse</translation>
    </message>
    <message>
        <source>Graph auto zooming</source>
        <translation>Automatisches Zoomen des Diagramms</translation>
    </message>
    <message>
        <source>Graph zoom optimize for series data</source>
        <translation>Zoom für Datenreihen optimieren</translation>
    </message>
    <message>
        <source>Graph zoom back clicking beside data</source>
        <translation>Zoom zurücknehmen per Klick neben die Daten</translation>
    </message>
    <message>
        <source>Graph zoom reset double clicking beside data</source>
        <translation>Zoom zurücksetzen per Doppelklick neben die Daten</translation>
    </message>
    <message>
        <source>Graph zoom reset dragging bottom/right top/left</source>
        <translation>Zoom zurücksetzen durch Ziehen von unten/rechts nach oben/links</translation>
    </message>
    <message>
        <source>Graph zoomed show horizontal scrollbar</source>
        <translation>Horizontale Bildlaufleiste beim Zoomen anzeigen</translation>
    </message>
    <message>
        <source>Graph zoomed show vertical scrollbar</source>
        <translation>Vertikale Bildlaufleiste beim Zoomen anzeigen</translation>
    </message>
    <message>
        <source>Graph scrollbars small increment</source>
        <translation>Kleine Schrittweite der Bildlaufleisten</translation>
    </message>
    <message>
        <source>Graph scrollbars large increment</source>
        <translation>Große Schrittweite der Bildlaufleisten</translation>
    </message>
    <message>
        <source>Graph zoom with the mouse wheel</source>
        <translation>Zoomen mit dem Mausrad</translation>
    </message>
    <message>
        <source>Graph zoom back and reset with keys</source>
        <translation>Zoom per Tastatur zurücknehmen und zurücksetzen</translation>
    </message>
    <message>
        <source>Legend position</source>
        <translation>Position der Legende</translation>
    </message>
    <message>
        <source>Legend moved</source>
        <translation>Legende verschoben</translation>
    </message>
    <message>
        <source>Graph zoom start keys</source>
        <translation>Tasten zum Starten des Zoomens</translation>
    </message>
    <message>
        <source>Graph panning start keys</source>
        <translation>Tasten zum Starten des Verschiebens</translation>
    </message>
    <message>
        <source>Zooming and panning not allowed to start with same parameters</source>
        <translation>Zoomen und Verschieben dürfen nicht mit denselben Parametern gestartet werden</translation>
    </message>
    <message>
        <source>Axis range start</source>
        <translation>Anfang des Achsenbereichs</translation>
    </message>
    <message>
        <source>Axis range stop</source>
        <translation>Ende des Achsenbereichs</translation>
    </message>
    <message>
        <source>Auto ranging mode of axis start</source>
        <translation>Automatikmodus für den Achsenanfang</translation>
    </message>
    <message>
        <source>Auto ranging mode of axis stop</source>
        <translation>Automatikmodus für das Achsenende</translation>
    </message>
    <message>
        <source>Axis ends rounding mode</source>
        <translation>Rundungsmodus der Achsenenden</translation>
    </message>
    <message>
        <source>Axis scaling</source>
        <translation>Achsenskalierung</translation>
    </message>
    <message>
        <source>Log to normal scaling switching range</source>
        <translation>Umschaltbereich zwischen logarithmischer und linearer Skalierung</translation>
    </message>
    <message>
        <source>Width of moving range scaling</source>
        <translation>Breite des mitlaufenden Skalierungsbereichs</translation>
    </message>
    <message>
        <source>Incement to move axis range</source>
        <translation>Schrittweite zum Verschieben des Achsenbereichs</translation>
    </message>
    <message>
        <source>Axis as slave to other axis</source>
        <translation>Achse folgt einer anderen Achse</translation>
    </message>
    <message>
        <source>Multiplier to convert master scaling</source>
        <translation>Multiplikator zur Umrechnung der Skalierung der Leitachse</translation>
    </message>
    <message>
        <source>Offset to convert master scaling</source>
        <translation>Offset zur Umrechnung der Skalierung der Leitachse</translation>
    </message>
    <message>
        <source>Master axis</source>
        <translation>Leitachse</translation>
    </message>
    <message>
        <source>Axis rubrics captions</source>
        <translation>Kategoriebeschriftungen der Achse</translation>
    </message>
    <message>
        <source>Setting rubrics not allowed with database binding set</source>
        <translation>Kategorien können bei aktiver Datenbankbindung nicht gesetzt werden</translation>
    </message>
    <message>
        <source>Width of axis line</source>
        <translation>Breite der Achsenlinie</translation>
    </message>
    <message>
        <source>Width of major tick lines</source>
        <translation>Breite der Hauptteilstriche</translation>
    </message>
    <message>
        <source>Width of minor tick lines</source>
        <translation>Breite der Nebenteilstriche</translation>
    </message>
    <message>
        <source>Axis minor ticks length</source>
        <translation>Länge der Nebenteilstriche</translation>
    </message>
    <message>
        <source>Axis major ticks length</source>
        <translation>Länge der Hauptteilstriche</translation>
    </message>
    <message>
        <source>Axis ticks point to graph data area</source>
        <translation>Teilstriche zeigen zum Datenbereich</translation>
    </message>
    <message>
        <source>Visibility of axis scaling numbers</source>
        <translation>Sichtbarkeit der Skalenwerte</translation>
    </message>
    <message>
        <source>Axis twist order of numbers</source>
        <translation>Reihenfolge der Achsenwerte umkehren</translation>
    </message>
    <message>
        <source>Distance between graph data area and axis</source>
        <translation>Abstand zwischen Datenbereich und Achse</translation>
    </message>
    <message>
        <source>Distance between axis and scaling labels</source>
        <translation>Abstand zwischen Achse und Skalenbeschriftung</translation>
    </message>
    <message>
        <source>Distance between axis and extra exponent</source>
        <translation>Abstand zwischen Achse und separatem Exponenten</translation>
    </message>
    <message>
        <source>Distance between axis scaling numbers and caption</source>
        <translation>Abstand zwischen Skalenwerten und Achsentitel</translation>
    </message>
    <message>
        <source>Distance between axis caption and border</source>
        <translation>Abstand zwischen Achsentitel und Rand</translation>
    </message>
    <message>
        <source>Distance below axis caption</source>
        <translation>Abstand unterhalb des Achsentitels</translation>
    </message>
    <message>
        <source>Distance above axis caption</source>
        <translation>Abstand oberhalb des Achsentitels</translation>
    </message>
    <message>
        <source>Alignment of axis caption</source>
        <translation>Ausrichtung des Achsentitels</translation>
    </message>
    <message>
        <source>Color of axis caption</source>
        <translation>Farbe des Achsentitels</translation>
    </message>
    <message>
        <source>Font of axis caption</source>
        <translation>Schriftart des Achsentitels</translation>
    </message>
    <message>
        <source>Font of axis scaling numbers</source>
        <translation>Schriftart der Skalenwerte</translation>
    </message>
    <message>
        <source>Visibility of axis caption</source>
        <translation>Sichtbarkeit des Achsentitels</translation>
    </message>
    <message>
        <source>Axis caption</source>
        <translation>Achsentitel</translation>
    </message>
    <message>
        <source>Horizontal caption if axis is vertical</source>
        <translation>Horizontaler Titel bei vertikaler Achse</translation>
    </message>
    <message>
        <source>Axis numbers extra decimal spaces</source>
        <translation>Zusätzliche Nachkommastellen der Achsenwerte</translation>
    </message>
    <message>
        <source>Axis foreground color</source>
        <translation>Vordergrundfarbe der Achse</translation>
    </message>
    <message>
        <source>Axis color of scaling numbers</source>
        <translation>Farbe der Skalenwerte</translation>
    </message>
    <message>
        <source>Axis color of major tickmarks</source>
        <translation>Farbe der Hauptteilstriche</translation>
    </message>
    <message>
        <source>Axis color of minor tickmarks</source>
        <translation>Farbe der Nebenteilstriche</translation>
    </message>
    <message>
        <source>Axis angle of rubrics captions</source>
        <translation>Winkel der Kategoriebeschriftungen</translation>
    </message>
    <message>
        <source>Axis position in graph</source>
        <translation>Position der Achse im Diagramm</translation>
    </message>
    <message>
        <source>Axis major grid mode</source>
        <translation>Modus des Hauptgitters</translation>
    </message>
    <message>
        <source>Automatic tick partitions</source>
        <translation>Automatische Teilstrich-Unterteilung</translation>
    </message>
    <message>
        <source>Axis partitions for labels</source>
        <translation>Achsenunterteilung für Beschriftungen</translation>
    </message>
    <message>
        <source>Axis partitions for major ticks</source>
        <translation>Achsenunterteilung für Hauptteilstriche</translation>
    </message>
    <message>
        <source>Axis partitions for minor ticks</source>
        <translation>Achsenunterteilung für Nebenteilstriche</translation>
    </message>
    <message>
        <source>Factor for distance of axis labels</source>
        <translation>Faktor für den Abstand der Achsenbeschriftungen</translation>
    </message>
    <message>
        <source>Axis visible</source>
        <translation>Achse sichtbar</translation>
    </message>
    <message>
        <source>Series caption</source>
        <translation>Titel der Datenreihe</translation>
    </message>
    <message>
        <source>Series visibility in legends</source>
        <translation>Sichtbarkeit der Datenreihe in Legenden</translation>
    </message>
    <message>
        <source>Series drawing order</source>
        <translation>Zeichenreihenfolge der Datenreihe</translation>
    </message>
    <message>
        <source>Series X-axis reference</source>
        <translation>Verweis auf die X-Achse der Datenreihe</translation>
    </message>
    <message>
        <source>Series Y-axis reference</source>
        <translation>Verweis auf die Y-Achse der Datenreihe</translation>
    </message>
    <message>
        <source>Series X-data reference</source>
        <translation>Verweis auf die X-Daten der Datenreihe</translation>
    </message>
    <message>
        <source>Series Y-data reference</source>
        <translation>Verweis auf die Y-Daten der Datenreihe</translation>
    </message>
    <message>
        <source>Series visibility</source>
        <translation>Sichtbarkeit der Datenreihe</translation>
    </message>
    <message>
        <source>Series visibility of outliers</source>
        <translation>Sichtbarkeit der Ausreißer der Datenreihe</translation>
    </message>
    <message>
        <source>Internal name of the series</source>
        <translation>Interner Name der Datenreihe</translation>
    </message>
    <message>
        <source>Caption of the series e.g. used in legends</source>
        <translation>Titel der Datenreihe, z. B. für Legenden</translation>
    </message>
    <message>
        <source>The stored record is of class &quot;%s&quot; and cannot be read into a %s</source>
        <translation>Der gespeicherte Datensatz gehört zur Klasse &quot;%s&quot; und kann nicht in ein Objekt vom Typ %s eingelesen werden</translation>
    </message>
    <message>
        <source>XML node &quot;%s&quot; holds no %s record</source>
        <translation>XML-Knoten &quot;%s&quot; enthält keinen %s-Datensatz</translation>
    </message>
    <message>
        <source>Bars style</source>
        <translation>Balkenstil</translation>
    </message>
    <message>
        <source>Bars horizontal</source>
        <translation>Horizontale Balken</translation>
    </message>
    <message>
        <source>Bars stacked/shifted overlays</source>
        <translation>Balken gestapelt/versetzt überlagert</translation>
    </message>
    <message>
        <source>Bars captions</source>
        <translation>Balkenbeschriftungen</translation>
    </message>
    <message>
        <source>Bars font</source>
        <translation>Schriftart der Balken</translation>
    </message>
    <message>
        <source>Labels color</source>
        <translation>Farbe der Beschriftungen</translation>
    </message>
    <message>
        <source>Labels output format</source>
        <translation>Ausgabeformat der Beschriftungen</translation>
    </message>
    <message>
        <source>Labels from list/values/percent</source>
        <translation>Beschriftungen aus Liste/Werten/Prozent</translation>
    </message>
    <message>
        <source>Labels position</source>
        <translation>Position der Beschriftungen</translation>
    </message>
    <message>
        <source>Bars vertical labels</source>
        <translation>Vertikale Balkenbeschriftungen</translation>
    </message>
    <message>
        <source>Label size</source>
        <translation>Beschriftungsgröße</translation>
    </message>
    <message>
        <source>Setting captions list not allowed with database binding set</source>
        <translation>Die Beschriftungsliste kann bei aktiver Datenbankbindung nicht gesetzt werden</translation>
    </message>
    <message>
        <source>Error bars X(+)-delta reference</source>
        <translation>Fehlerbalken: Verweis auf X(+)-Delta</translation>
    </message>
    <message>
        <source>Error bars X(-)-delta reference</source>
        <translation>Fehlerbalken: Verweis auf X(-)-Delta</translation>
    </message>
    <message>
        <source>Error bars Y(+)-delta reference</source>
        <translation>Fehlerbalken: Verweis auf Y(+)-Delta</translation>
    </message>
    <message>
        <source>Error bars Y(-)-delta reference</source>
        <translation>Fehlerbalken: Verweis auf Y(-)-Delta</translation>
    </message>
    <message>
        <source>Arrows X-delta reference</source>
        <translation>Pfeile: Verweis auf X-Delta</translation>
    </message>
    <message>
        <source>Arrows Y-delta reference</source>
        <translation>Pfeile: Verweis auf Y-Delta</translation>
    </message>
    <message>
        <source>Bubbles radius reference</source>
        <translation>Blasen: Verweis auf Radius</translation>
    </message>
    <message>
        <source>Elliptical bubbles</source>
        <translation>Elliptische Blasen</translation>
    </message>
    <message>
        <source>OHLC/candles bar width</source>
        <translation>OHLC/Kerzen: Balkenbreite</translation>
    </message>
    <message>
        <source>OHLC/candles low data</source>
        <translation>OHLC/Kerzen: Tiefstwerte</translation>
    </message>
    <message>
        <source>OHLC/candles open data</source>
        <translation>OHLC/Kerzen: Eröffnungswerte</translation>
    </message>
    <message>
        <source>OHLC/candles close data</source>
        <translation>OHLC/Kerzen: Schlusswerte</translation>
    </message>
    <message>
        <source>OHLC/candles high data</source>
        <translation>OHLC/Kerzen: Höchstwerte</translation>
    </message>
    <message>
        <source>OHLC indicators length</source>
        <translation>Länge der OHLC-Indikatoren</translation>
    </message>
    <message>
        <source>Candles bull color</source>
        <translation>Kerzenfarbe bei steigendem Kurs</translation>
    </message>
    <message>
        <source>Candles bear color</source>
        <translation>Kerzenfarbe bei fallendem Kurs</translation>
    </message>
    <message>
        <source>Candles shadows have same color as fill</source>
        <translation>Kerzendochte in derselben Farbe wie die Füllung</translation>
    </message>
    <message>
        <source>Marker caption</source>
        <translation>Beschriftung der Markierung</translation>
    </message>
    <message>
        <source>Marker caption visible</source>
        <translation>Beschriftung der Markierung sichtbar</translation>
    </message>
    <message>
        <source>Marker caption vertical</source>
        <translation>Beschriftung der Markierung vertikal</translation>
    </message>
    <message>
        <source>Horizontal offset of marker caption</source>
        <translation>Horizontaler Versatz der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Vertical offset of marker caption</source>
        <translation>Vertikaler Versatz der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Position of marker caption</source>
        <translation>Position der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Font of marker caption</source>
        <translation>Schriftart der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Marker color</source>
        <translation>Farbe der Markierung</translation>
    </message>
    <message>
        <source>Marker clipped to data area</source>
        <translation>Markierung auf Datenbereich beschnitten</translation>
    </message>
    <message>
        <source>Marker dragged with the mouse</source>
        <translation>Markierung mit der Maus ziehbar</translation>
    </message>
    <message>
        <source>Keys that start dragging a marker</source>
        <translation>Tasten zum Starten des Ziehens einer Markierung</translation>
    </message>
    <message>
        <source>Marker snaps to series values</source>
        <translation>Markierung rastet an Werten der Datenreihe ein</translation>
    </message>
    <message>
        <source>Marker snaps to functions</source>
        <translation>Markierung rastet an Funktionen ein</translation>
    </message>
    <message>
        <source>Background color of marker caption</source>
        <translation>Hintergrundfarbe der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Raised marker caption box</source>
        <translation>Erhabener Rahmen der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Lowered marker caption box</source>
        <translation>Vertiefter Rahmen der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Shadow of marker caption box</source>
        <translation>Schatten des Rahmens der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Padding of marker caption box</source>
        <translation>Innenabstand des Rahmens der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Corner rounding of marker caption box</source>
        <translation>Eckenrundung des Rahmens der Markierungsbeschriftung</translation>
    </message>
    <message>
        <source>Marker X-axis reference</source>
        <translation>Verweis auf die X-Achse der Markierung</translation>
    </message>
    <message>
        <source>Marker Y-axis reference</source>
        <translation>Verweis auf die Y-Achse der Markierung</translation>
    </message>
    <message>
        <source>Marker X position</source>
        <translation>X-Position der Markierung</translation>
    </message>
    <message>
        <source>Marker Y position</source>
        <translation>Y-Position der Markierung</translation>
    </message>
    <message>
        <source>Marker moved</source>
        <translation>Markierung verschoben</translation>
    </message>
    <message>
        <source>Horizontal extent of marker arrow</source>
        <translation>Horizontale Ausdehnung des Markierungspfeils</translation>
    </message>
    <message>
        <source>Vertical extent of marker arrow</source>
        <translation>Vertikale Ausdehnung des Markierungspfeils</translation>
    </message>
    <message>
        <source>Length of bent marker arrow</source>
        <translation>Länge des abgewinkelten Markierungspfeils</translation>
    </message>
    <message>
        <source>Marker grips shown on hovering</source>
        <translation>Anfasser der Markierung beim Überfahren anzeigen</translation>
    </message>
    <message>
        <source>Marker parts that can be dragged</source>
        <translation>Ziehbare Teile der Markierung</translation>
    </message>
    <message>
        <source>X position of the marker</source>
        <translation>X-Position der Markierung</translation>
    </message>
    <message>
        <source>Y position of the marker</source>
        <translation>Y-Position der Markierung</translation>
    </message>
    <message>
        <source>Index of the data point the marker snapped to, -1 if none</source>
        <translation>Index des Datenpunkts, an dem die Markierung eingerastet ist, -1 wenn keiner</translation>
    </message>
    <message>
        <source>Caption of the series the marker snapped to</source>
        <translation>Titel der Datenreihe, an der die Markierung eingerastet ist</translation>
    </message>
    <message>
        <source>%u closing brackets missing</source>
        <translation>%u schließende Klammern fehlen</translation>
    </message>
    <message>
        <source>%u opening brackets missing</source>
        <translation>%u öffnende Klammern fehlen</translation>
    </message>
    <message>
        <source>Parsing error in function:<byte value="xd"/>%s</source>
        <translation>Syntaxfehler in der Funktion:<byte value="xd"/>%s</translation>
    </message>
    <message>
        <source>No valid expression defined</source>
        <translation>Kein gültiger Ausdruck definiert</translation>
    </message>
    <message>
        <source>The expression has %d characters; at most %d are allowed</source>
        <translation>Der Ausdruck hat %d Zeichen; höchstens %d sind zulässig</translation>
    </message>
    <message>
        <source>The expression is nested more than %d levels deep</source>
        <translation>Der Ausdruck ist mehr als %d Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>Text variable %s refers to itself or is nested more than %d levels deep</source>
        <translation>Textvariable %s verweist auf sich selbst oder ist mehr als %d Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>A text needs more than %d variable replacements</source>
        <translation>Ein Text benötigt mehr als %d Variablenersetzungen</translation>
    </message>
    <message>
        <source>Floating point division by zero</source>
        <translation>Gleitkommadivision durch null</translation>
    </message>
    <message>
        <source>Invalid floating point operation</source>
        <translation>Ungültige Gleitkommaoperation</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Gleitkommaüberlauf</translation>
    </message>
    <message>
        <source>%s(x) - %s</source>
        <translation>%s(x) - %s</translation>
    </message>
    <message>
        <source>Circle number, approximately 3.14159</source>
        <translation>Kreiszahl, ungefähr 3,14159</translation>
    </message>
    <message>
        <source>Base of natural logarithm, approximately 2.718282</source>
        <translation>Basis des natürlichen Logarithmus, ungefähr 2,718282</translation>
    </message>
    <message>
        <source>Returns a random number within the range 0 &lt;= X &lt; 1</source>
        <translation>Liefert eine Zufallszahl im Bereich 0 &lt;= X &lt; 1</translation>
    </message>
    <message>
        <source>Absolute positive value</source>
        <translation>Absolutbetrag</translation>
    </message>
    <message>
        <source>Reciprocal of cosine</source>
        <translation>Umkehrfunktion des Kosinus</translation>
    </message>
    <message>
        <source>Reciprocal of hyperbolic cosine</source>
        <translation>Umkehrfunktion des Kosinus hyperbolicus</translation>
    </message>
    <message>
        <source>Reciprocal of Sine</source>
        <translation>Umkehrfunktion des Sinus</translation>
    </message>
    <message>
        <source>Reciprocal of hyperbolic sine</source>
        <translation>Umkehrfunktion des Sinus hyperbolicus</translation>
    </message>
    <message>
        <source>Reciprocal of tangent</source>
        <translation>Umkehrfunktion des Tangens</translation>
    </message>
    <message>
        <source>Reciprocal of hyperbolic tangent</source>
        <translation>Umkehrfunktion des Tangens hyperbolicus</translation>
    </message>
    <message>
        <source>The smallest integer greater than or equal to its argument</source>
        <translation>Die kleinste ganze Zahl, die größer oder gleich dem Argument ist</translation>
    </message>
    <message>
        <source>Cosine</source>
        <translation>Kosinus</translation>
    </message>
    <message>
        <source>Hyperbolic cosine</source>
        <translation>Kosinus hyperbolicus</translation>
    </message>
    <message>
        <source>Cotangent</source>
        <translation>Kotangens</translation>
    </message>
    <message>
        <source>Convert angle degrees to radiant</source>
        <translation>Winkel von Grad in Bogenmaß umrechnen</translation>
    </message>
    <message>
        <source>e (the base of natural logarithms) raised to a power</source>
        <translation>e (die Basis des natürlichen Logarithmus) potenziert</translation>
    </message>
    <message>
        <source>The largest integer that is not greater than the argument</source>
        <translation>Die größte ganze Zahl, die nicht größer als das Argument ist</translation>
    </message>
    <message>
        <source>The fractional part of a real number</source>
        <translation>Der Nachkommaanteil einer reellen Zahl</translation>
    </message>
    <message>
        <source>The integer portion of a real number</source>
        <translation>Der ganzzahlige Anteil einer reellen Zahl</translation>
    </message>
    <message>
        <source>The natural logarithm of a number</source>
        <translation>Der natürliche Logarithmus einer Zahl</translation>
    </message>
    <message>
        <source>The logarithm base 10 of a number</source>
        <translation>Der Logarithmus einer Zahl zur Basis 10</translation>
    </message>
    <message>
        <source>The logarithm base 2 of a number</source>
        <translation>Der Logarithmus einer Zahl zur Basis 2</translation>
    </message>
    <message>
        <source>Convert angle radiant to degrees</source>
        <translation>Winkel von Bogenmaß in Grad umrechnen</translation>
    </message>
    <message>
        <source>Returns an integer closest in value to the argument</source>
        <translation>Liefert die dem Argument am nächsten liegende ganze Zahl</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>Sinus</translation>
    </message>
    <message>
        <source>Hyperbolic sine</source>
        <translation>Sinus hyperbolicus</translation>
    </message>
    <message>
        <source>Square root</source>
        <translation>Quadratwurzel</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Quadrat</translation>
    </message>
    <message>
        <source>Tangent</source>
        <translation>Tangens</translation>
    </message>
    <message>
        <source>Hyperbolic tangent</source>
        <translation>Tangens hyperbolicus</translation>
    </message>
    <message>
        <source>No X vector defined for calculation</source>
        <translation>Kein X-Vektor für die Berechnung definiert</translation>
    </message>
    <message>
        <source>No Y vector defined for calculation</source>
        <translation>Kein Y-Vektor für die Berechnung definiert</translation>
    </message>
    <message>
        <source>Not enough data points to calculate function</source>
        <translation>Nicht genügend Datenpunkte zur Berechnung der Funktion</translation>
    </message>
    <message>
        <source>Formula function of function series must be overridden in derived classes</source>
        <translation>Die Formelfunktion der Funktionsreihe muss in abgeleiteten Klassen überschrieben werden</translation>
    </message>
    <message>
        <source>Function series weight</source>
        <translation>Gewichtung der Funktionsreihe</translation>
    </message>
    <message>
        <source>Function series calculation start auto</source>
        <translation>Funktionsreihe: Berechnungsanfang automatisch</translation>
    </message>
    <message>
        <source>Function series calculation stop auto</source>
        <translation>Funktionsreihe: Berechnungsende automatisch</translation>
    </message>
    <message>
        <source>Function series display start auto</source>
        <translation>Funktionsreihe: Anzeigeanfang automatisch</translation>
    </message>
    <message>
        <source>Function series display stop auto</source>
        <translation>Funktionsreihe: Anzeigeende automatisch</translation>
    </message>
    <message>
        <source>Function series couple calculation and display</source>
        <translation>Funktionsreihe: Berechnung und Anzeige koppeln</translation>
    </message>
    <message>
        <source>Function series clip Y-values</source>
        <translation>Funktionsreihe: Y-Werte beschneiden</translation>
    </message>
    <message>
        <source>Function series calculation start</source>
        <translation>Funktionsreihe: Berechnungsanfang</translation>
    </message>
    <message>
        <source>Function series calculation stop</source>
        <translation>Funktionsreihe: Berechnungsende</translation>
    </message>
    <message>
        <source>Function series display start</source>
        <translation>Funktionsreihe: Anzeigeanfang</translation>
    </message>
    <message>
        <source>Function series display stop</source>
        <translation>Funktionsreihe: Anzeigeende</translation>
    </message>
    <message>
        <source>Formula used for calculation</source>
        <translation>Für die Berechnung verwendete Formel</translation>
    </message>
    <message>
        <source>Start value of range used for calculation</source>
        <translation>Anfangswert des Berechnungsbereichs</translation>
    </message>
    <message>
        <source>Stop value of range used for calculation</source>
        <translation>Endwert des Berechnungsbereichs</translation>
    </message>
    <message>
        <source>Start value of range used for display of line</source>
        <translation>Anfangswert des Bereichs, in dem die Linie angezeigt wird</translation>
    </message>
    <message>
        <source>Stop value of range used for display of line</source>
        <translation>Endwert des Bereichs, in dem die Linie angezeigt wird</translation>
    </message>
    <message>
        <source>Linear regression fixed offset</source>
        <translation>Lineare Regression: fester Achsenabschnitt</translation>
    </message>
    <message>
        <source>Linear regression offset</source>
        <translation>Lineare Regression: Achsenabschnitt</translation>
    </message>
    <message>
        <source>Log X-Axis with regression and LogToNormalScalingLevel&gt;0 not possible<byte value="xd"/>Setting to 0</source>
        <translation>Logarithmische X-Achse mit Regression und LogToNormalScalingLevel&gt;0 nicht möglich<byte value="xd"/>Wird auf 0 gesetzt</translation>
    </message>
    <message>
        <source>Log Y-Axis with regression and LogToNormalScalingLevel&gt;0 not possible<byte value="xd"/>Setting to 0</source>
        <translation>Logarithmische Y-Achse mit Regression und LogToNormalScalingLevel&gt;0 nicht möglich<byte value="xd"/>Wird auf 0 gesetzt</translation>
    </message>
    <message>
        <source>The offset should only be set with fixed offset<byte value="xd"/>Dou You want to set it to True?</source>
        <translation>Der Achsenabschnitt sollte nur bei festem Achsenabschnitt gesetzt werden<byte value="xd"/>Möchten Sie den festen Achsenabschnitt auf True setzen?</translation>
    </message>
    <message>
        <source>The offset a of the regression line Y=a+mX</source>
        <translation>Der Achsenabschnitt a der Regressionsgeraden Y=a+mX</translation>
    </message>
    <message>
        <source>The slope m of the regression line Y=a+mX</source>
        <translation>Die Steigung m der Regressionsgeraden Y=a+mX</translation>
    </message>
    <message>
        <source>Statistical error of slope m of the regression line Y=a+mX</source>
        <translation>Statistischer Fehler der Steigung m der Regressionsgeraden Y=a+mX</translation>
    </message>
    <message>
        <source>Statistical error of offset a of the regression line Y=a+mX</source>
        <translation>Statistischer Fehler des Achsenabschnitts a der Regressionsgeraden Y=a+mX</translation>
    </message>
    <message>
        <source>Mean of X values</source>
        <translation>Mittelwert der X-Werte</translation>
    </message>
    <message>
        <source>Mean of Y values</source>
        <translation>Mittelwert der Y-Werte</translation>
    </message>
    <message>
        <source>Variance of X values</source>
        <translation>Varianz der X-Werte</translation>
    </message>
    <message>
        <source>Variance of Y values</source>
        <translation>Varianz der Y-Werte</translation>
    </message>
    <message>
        <source>Probability of the fitted line</source>
        <translation>Wahrscheinlichkeit der Ausgleichsgeraden</translation>
    </message>
    <message>
        <source>Correlation coefficient</source>
        <translation>Korrelationskoeffizient</translation>
    </message>
    <message>
        <source>Sum of squared deviations of data points to fitted line</source>
        <translation>Summe der quadrierten Abweichungen der Datenpunkte von der Ausgleichsgeraden</translation>
    </message>
    <message>
        <source>Approximative spline does not need the smoothing function!<byte value="xd"/>Use the ElasticityFactor to adjust the elasticity of the spline.</source>
        <translation>Der approximierende Spline benötigt die Glättungsfunktion nicht!<byte value="xd"/>Passen Sie die Elastizität des Splines mit ElasticityFactor an.</translation>
    </message>
    <message>
        <source>Not enough data, matrix is to small to solve</source>
        <translation>Nicht genügend Daten, die Matrix ist zu klein zum Lösen</translation>
    </message>
    <message>
        <source>Matrix is not tridiagonal</source>
        <translation>Die Matrix ist nicht tridiagonal</translation>
    </message>
    <message>
        <source>The dimension of the matrix must be positive</source>
        <translation>Die Dimension der Matrix muss positiv sein</translation>
    </message>
    <message>
        <source>Interpolation (Akima)</source>
        <translation>Interpolation (Akima)</translation>
    </message>
    <message>
        <source>Interpolation (cubic spline)</source>
        <translation>Interpolation (kubischer Spline)</translation>
    </message>
    <message>
        <source>Interpolation (approximative spline)</source>
        <translation>Interpolation (approximierender Spline)</translation>
    </message>
    <message>
        <source>Factor to control smoothness with Akima and cubic spline</source>
        <translation>Faktor zur Steuerung der Glättung bei Akima und kubischem Spline</translation>
    </message>
    <message>
        <source>Factor to control the elasticity of the approximative spline line</source>
        <translation>Faktor zur Steuerung der Elastizität des approximierenden Splines</translation>
    </message>
    <message>
        <source>Local maxima of interpolated function</source>
        <translation>Lokale Maxima der interpolierten Funktion</translation>
    </message>
    <message>
        <source>Interpolation method</source>
        <translation>Interpolationsmethode</translation>
    </message>
    <message>
        <source>Interpolation smoothing</source>
        <translation>Glättung der Interpolation</translation>
    </message>
    <message>
        <source>Interpolation smoothing range</source>
        <translation>Glättungsbereich der Interpolation</translation>
    </message>
    <message>
        <source>Interpolation elasticity factor</source>
        <translation>Elastizitätsfaktor der Interpolation</translation>
    </message>
    <message>
        <source>Moving average averaging method</source>
        <translation>Gleitender Durchschnitt: Mittelungsmethode</translation>
    </message>
    <message>
        <source>Moving average averaging directions</source>
        <translation>Gleitender Durchschnitt: Mittelungsrichtungen</translation>
    </message>
    <message>
        <source>Moving average by count/diatance</source>
        <translation>Gleitender Durchschnitt nach Anzahl/Abstand</translation>
    </message>
    <message>
        <source>Moving average N</source>
        <translation>Gleitender Durchschnitt: N</translation>
    </message>
    <message>
        <source>Moving average exponential factor for N</source>
        <translation>Gleitender Durchschnitt: Exponentialfaktor für N</translation>
    </message>
    <message>
        <source>Simple moving average (all values equally weighted)</source>
        <translation>Einfacher gleitender Durchschnitt (alle Werte gleich gewichtet)</translation>
    </message>
    <message>
        <source>Weight the values linear with the distance</source>
        <translation>Werte linear mit dem Abstand gewichten</translation>
    </message>
    <message>
        <source>Weight the values exponentially with the distance</source>
        <translation>Werte exponentiell mit dem Abstand gewichten</translation>
    </message>
    <message>
        <source>Count/Distance of values used for averaging</source>
        <translation>Anzahl/Abstand der für die Mittelung verwendeten Werte</translation>
    </message>
    <message>
        <source>Factor (&lt;1) to multiply n±1 th value for exponential decay of weighting</source>
        <translation>Faktor (&lt;1), mit dem der (n±1)-te Wert für die exponentiell abnehmende Gewichtung multipliziert wird</translation>
    </message>
    <message>
        <source>Y\-k\- = Σy\-n\- e\+(-2πi/n kn)</source>
        <translation>Y\-k\- = Σy\-n\- e\+(-2πi/n kn)</translation>
    </message>
    <message>
        <source>General linear least squares order</source>
        <translation>Ordnung der allgemeinen linearen Kleinste-Quadrate-Anpassung</translation>
    </message>
    <message>
        <source>General Linear Least Squares: Index of variable out of range</source>
        <translation>Allgemeine lineare Kleinste-Quadrate-Anpassung: Variablenindex außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>No BasisFunction defined</source>
        <translation>Keine BasisFunction definiert</translation>
    </message>
    <message>
        <source>SingularValueDecomposition: Matrix has wrong dimension</source>
        <translation>SingularValueDecomposition: Die Matrix hat eine falsche Dimension</translation>
    </message>
    <message>
        <source>SingularValueDecomposition: Output vector has wrong dimension</source>
        <translation>SingularValueDecomposition: Der Ausgabevektor hat eine falsche Dimension</translation>
    </message>
    <message>
        <source>SingularValueDecomposition: Output matrix has wrong dimension</source>
        <translation>SingularValueDecomposition: Die Ausgabematrix hat eine falsche Dimension</translation>
    </message>
    <message>
        <source>Relative error of coefficients</source>
        <translation>Relativer Fehler der Koeffizienten</translation>
    </message>
    <message>
        <source>Coefficients of the general linear least square</source>
        <translation>Koeffizienten der allgemeinen linearen Kleinste-Quadrate-Anpassung</translation>
    </message>
    <message>
        <source>Standard deviation of coefficients of the general linear least square</source>
        <translation>Standardabweichung der Koeffizienten der allgemeinen linearen Kleinste-Quadrate-Anpassung</translation>
    </message>
    <message>
        <source>Y=Σ\-i\-a\-i\-Xf\-i\-(X)</source>
        <translation>Y=Σ\-i\-a\-i\-Xf\-i\-(X)</translation>
    </message>
    <message>
        <source>Fitted line coefficients</source>
        <translation>Koeffizienten der Ausgleichskurve</translation>
    </message>
    <message>
        <source>Fitted line iterations</source>
        <translation>Iterationen der Ausgleichskurve</translation>
    </message>
    <message>
        <source>Fitted line expression</source>
        <translation>Ausdruck der Ausgleichskurve</translation>
    </message>
    <message>
        <source>Fitting using covariance/variance</source>
        <translation>Anpassung mit Kovarianz/Varianz</translation>
    </message>
    <message>
        <source>Fitting restarts when stalled</source>
        <translation>Anpassung bei Stillstand neu starten</translation>
    </message>
    <message>
        <source>Fitted line: Index of variable out of range</source>
        <translation>Ausgleichskurve: Variablenindex außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Expression must contain the independent variable X!</source>
        <translation>Der Ausdruck muss die unabhängige Variable X enthalten!</translation>
    </message>
    <message>
        <source>Expression must contain a variable a..p!</source>
        <translation>Der Ausdruck muss eine Variable a..p enthalten!</translation>
    </message>
    <message>
        <source>No FittingFunction or Expression defined</source>
        <translation>Weder FittingFunction noch Expression definiert</translation>
    </message>
    <message>
        <source>SimplexFit: no order set!</source>
        <translation>SimplexFit: keine Ordnung festgelegt!</translation>
    </message>
    <message>
        <source>SimplexFit: DoCovariance, reciprocal indefinite!</source>
        <translation>SimplexFit: DoCovariance, Kehrwert unbestimmt!</translation>
    </message>
    <message>
        <source>Not enough data points to interpolate covariance</source>
        <translation>Nicht genügend Datenpunkte zur Interpolation der Kovarianz</translation>
    </message>
    <message>
        <source>X-Value</source>
        <translation>X-Wert</translation>
    </message>
    <message>
        <source>Variable %s</source>
        <translation>Variable %s</translation>
    </message>
</context>
</TS>
