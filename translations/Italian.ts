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
    <message>
        <source>Events</source>
        <translation>Eventi</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>Segna l'inizio dell'intervallo (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>Segna la fine dell'intervallo (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>Esporta l'intervallo</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Esporta</translation>
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
    <message>
        <source>Load track…</source>
        <translation>Carica traccia…</translation>
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
    <message>
        <source>Advanced</source>
        <translation>Avanzate</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>Frenata brusca: calo di velocità in 1 s</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>Accelerazione brusca: aumento di velocità in 1 s</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>Urto: variazione tra due campioni</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>Urto: valore di un asse</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>La mappa richiede OpenGL, che questo schermo non offre.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>Carica traccia</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>Un file GPX o NMEA che copre le registrazioni</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Sfoglia…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>Scarto dell'orologio della telecamera:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>Secondi aggiunti agli orari delle registrazioni per allinearli agli orari (UTC) della traccia, se l'orologio della telecamera è sull'ora locale</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Carica</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>Registrazioni in %1</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>Tracce (*.gpx *.nmea *.gps *.log *.txt);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>Scegliere prima un file GPX o NMEA.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>La traccia non è utilizzabile: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: ha dati GPS propri</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: ha un proprio file di traccia</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: coperta, %2 di %3 s</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: non coperta</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: illeggibile</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>Registrazioni coperte dalla traccia: %1</translation>
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
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valore</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Registrazione</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>Frenata brusca</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>Accelerazione brusca</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>Urto</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Esporta</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Cosa</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>Tracce GPX e CSV accanto ai video</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>Specchia l'immagine posteriore</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>Disegna la striscia del sensore G</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Dove</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>Qualità originale, anteriore e posteriore</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>Affiancate con i dati del viaggio</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>Posteriore in un angolo dell'anteriore, con i dati del viaggio</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>Tutto questo</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>Da %1 a %2 di %3.</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>Da %1 di %2 a %3 di %4.</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>Da %1 di %2 fino alla fine di %3.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>La copia in qualità originale inizia dal fotogramma chiave a %1.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>Cartella di esportazione</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>Scegli una cartella per i file.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Esportazione…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>Esportazione… circa %1 rimanenti</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Scritti:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Annullamento…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>L'esportazione è stata annullata.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>Il disco è pieno: %1 non è stato scritto per intero in %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>Impossibile scrivere nella cartella %1: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>Non c'è alcun intervallo da esportare.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>La cartella %1 non esiste e non può essere creata.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>Non è stato scelto nulla da esportare.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>La cartella %1 contiene troppe esportazioni di questo intervallo.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>L'esportazione non è riuscita: %1</translation>
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
