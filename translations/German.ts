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
