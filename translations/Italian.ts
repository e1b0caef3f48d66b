<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Italiano</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>Vista anteriore</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>Vista posteriore</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>Vista anteriore e posteriore</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Apri file</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Cattura</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Precedente</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arresta</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Successivo</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>Disattiva audio</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>Riattiva audio</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versione:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>Più lento</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Più veloce</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Configurazione</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Riduci a icona</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Ingrandisci</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. Tutti i diritti riservati.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Ripristina</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Apri cartella</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>Questo computer non può riprodurre il video perché non dispone del supporto di riproduzione necessario per H.265 (HEVC).</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>Questo computer non può riprodurre il video perché non dispone del supporto di riproduzione necessario per H.264 (AVC).</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>Nome file</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durata</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>Data di creazione</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Dimensione</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Risoluzione</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>byte</translation>
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
        <translation>Finestra di dialogo</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>Impostazioni personali</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
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
        <translation>Cartella delle istantanee</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>Scegli</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mappa</translation>
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
        <translation>Unità di velocità</translation>
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
        <translation>Modalità di rendering</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Immagine</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Apri cartella</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>Viaggio %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>Ora sconosciuta</translation>
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
        <translation>max %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>max %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>Fare clic per riprodurre il viaggio da quel momento</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>Velocità (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Velocità (mph)</translation>
    </message>
</context>
</TS>
