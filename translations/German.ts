<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Deutsch</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>Frontansicht</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>Heckansicht</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>Front- und Heckansicht</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Dateien öffnen</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Standbild speichern</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Vorheriges</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächstes</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>Stummschalten</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>Stummschaltung aufheben</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>Anfang des Bereichs markieren (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>Ende des Bereichs markieren (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>Bereich exportieren</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>Langsamer</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Schneller</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einrichtung</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>Dieser Computer kann das Video nicht abspielen, weil ihm die für H.265 (HEVC) nötige Unterstützung der Videowiedergabe fehlt.</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>Dieser Computer kann das Video nicht abspielen, weil ihm die für H.264 (AVC) nötige Unterstützung der Videowiedergabe fehlt.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>Track laden…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>EB</translation>
    </message>
    <message>
        <source>ZB</source>
        <translation>ZB</translation>
    </message>
    <message>
        <source>YB</source>
        <translation>YB</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ostravane</source>
        <translation>Ostravane</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>Persönliche Einstellungen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>日本語 (JP)</source>
        <translation>日本語 (JP)</translation>
    </message>
    <message>
        <source>ENGLISH(US)</source>
        <translation>ENGLISH(US)</translation>
    </message>
    <message>
        <source>ENGLISH(GB)</source>
        <translation>ENGLISH(GB)</translation>
    </message>
    <message>
        <source>Screenshot save path</source>
        <translation>Speicherort für Bildschirmfotos</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Google Maps</translation>
    </message>
    <message>
        <source>Baidu Maps</source>
        <translation>Baidu Maps</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>Geschwindigkeitseinheit</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>mph</translation>
    </message>
    <message>
        <source>RenderModel</source>
        <translation>Darstellungsmodus</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>Starkes Bremsen: Tempoverlust in 1 s</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>Starkes Beschleunigen: Tempogewinn in 1 s</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>Aufprall: Änderung zwischen Messungen</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>Aufprall: Messwert einer Achse</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>Die Karte benötigt OpenGL, das diese Anzeige nicht bietet.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>Track laden</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>Eine GPX- oder NMEA-Datei, die die Aufnahmen abdeckt</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>Zeitversatz der Kamerauhr:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>Sekunden, die zu den Zeiten der Aufnahmen addiert werden, um die (UTC-)Zeiten des Tracks zu treffen, wenn die Kamerauhr auf Ortszeit steht</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>Aufnahmen in %1</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>Tracks (*.gpx *.nmea *.gps *.log *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>Bitte zuerst eine GPX- oder NMEA-Datei wählen.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>Der Track ist nicht verwendbar: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: hat eigene GPS-Daten</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: hat eine eigene Track-Datei</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: abgedeckt, %2 von %3 s</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: nicht abgedeckt</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: nicht lesbar</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>Vom Track abgedeckte Aufnahmen: %1</translation>
    </message>
</context>
<context>
    <name>EventListModel</name>
    <message>
        <source>%1 g</source>
        <translation>%1 g</translation>
    </message>
    <message>
        <source>%1 km/h/s</source>
        <translation>%1 km/h/s</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>Starkes Bremsen</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>Starkes Beschleunigen</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>Aufprall</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>GPX- und CSV-Tracks neben den Videos</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>Rückbild spiegeln</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>G-Sensor-Streifen zeichnen</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Wohin</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>Originalqualität, vorne und hinten</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>Nebeneinander mit den Fahrtdaten</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>Hinten in einer Ecke von vorne, mit den Fahrtdaten</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>Alles davon</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>Von %1 bis %2 aus %3.</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>Von %1 aus %2 bis %3 aus %4.</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>Von %1 aus %2 bis zum Ende von %3.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>Die Kopie in Originalqualität beginnt beim Schlüsselbild bei %1.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>Exportordner</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>Wählen Sie einen Ordner für die Dateien.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Export läuft…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>Export läuft… noch etwa %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Geschrieben:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>Der Export wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>Der Datenträger ist voll: %1 konnte nicht vollständig in %2 geschrieben werden.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>Es gibt keinen Bereich zum Exportieren.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>Der Ordner %1 existiert nicht und kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>Es wurde nichts zum Exportieren gewählt.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>Der Ordner %1 enthält zu viele Exporte dieses Bereichs.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>Der Export ist fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>Fahrt %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>Unbekannte Zeit</translation>
    </message>
    <message>
        <source>%1 km</source>
        <translation>%1 km</translation>
    </message>
    <message>
        <source>%1 mi</source>
        <translation>%1 mi</translation>
    </message>
    <message>
        <source>max %1 km/h</source>
        <translation>max. %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>max. %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>Klicken, um die Fahrt ab diesem Moment abzuspielen</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>Geschwindigkeit (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Geschwindigkeit (mph)</translation>
    </message>
</context>
</TS>
