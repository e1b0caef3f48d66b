<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Español</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>Vista delantera</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>Vista trasera</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>Vista delantera y trasera</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Abrir archivos</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capturar</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>Activar sonido</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventos</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>Marcar el inicio del tramo (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>Marcar el final del tramo (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>Exportar el tramo</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>Más lento</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Más rápido</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximizar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. Todos los derechos reservados.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>Este equipo no puede reproducir el vídeo porque no dispone de la compatibilidad de reproducción necesaria para H.265 (HEVC).</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>Este equipo no puede reproducir el vídeo porque no dispone de la compatibilidad de reproducción necesaria para H.264 (AVC).</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>Cargar recorrido…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>Nombre de archivo</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>Fecha de creación</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolución</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>bytes</translation>
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
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>Configuración personal</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
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
        <translation>Carpeta de capturas de pantalla</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>Elegir</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
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
        <translation>Unidad de velocidad</translation>
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
        <translation>Modo de renderizado</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avanzado</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>Frenada brusca: caída de velocidad en 1 s</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>Aceleración brusca: subida de velocidad en 1 s</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>Impacto: cambio entre muestras</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>Impacto: lectura de un eje</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>El mapa necesita OpenGL, que esta pantalla no ofrece.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>Cargar recorrido</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>Un archivo GPX o NMEA que cubra las grabaciones</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>Desfase del reloj de la cámara:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>Segundos que se suman a las horas de las grabaciones para coincidir con las horas (UTC) del recorrido, si el reloj de la cámara está en hora local</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>Grabaciones en %1</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>Recorridos (*.gpx *.nmea *.gps *.log *.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>Elija primero un archivo GPX o NMEA.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>El recorrido no se puede usar: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: tiene sus propios datos GPS</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: tiene su propio archivo de recorrido</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: cubierta, %2 de %3 s</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: no cubierta</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: no se puede leer</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>Grabaciones cubiertas por el recorrido: %1</translation>
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
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabación</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>Frenada brusca</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>Aceleración brusca</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>Impacto</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Qué</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>Tracks GPX y CSV junto a los vídeos</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>Reflejar la imagen trasera</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>Dibujar la franja del sensor G</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Dónde</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>Calidad original, delantera y trasera</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>Lado a lado con los datos del viaje</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>Trasera en una esquina de la delantera, con los datos del viaje</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>Todo lo anterior</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>De %1 a %2 de %3.</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>De %1 de %2 a %3 de %4.</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>De %1 de %2 hasta el final de %3.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>La copia en calidad original empieza en el fotograma clave de %1.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>Carpeta de exportación</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>Elija una carpeta para los archivos.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Exportando…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>Exportando… quedan unos %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Escritos:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Cancelando…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>La exportación se canceló.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>El disco está lleno: %1 no se pudo escribir por completo en %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>No se puede escribir en la carpeta %1: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>No hay ningún tramo que exportar.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>La carpeta %1 no existe y no se puede crear.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>No se eligió nada para exportar.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>La carpeta %1 contiene demasiadas exportaciones de este tramo.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>La exportación falló: %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>Viaje %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>Hora desconocida</translation>
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
        <translation>máx. %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>máx. %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>Haga clic para reproducir el viaje desde ese momento</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>Velocidad (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Velocidad (mph)</translation>
    </message>
</context>
</TS>
