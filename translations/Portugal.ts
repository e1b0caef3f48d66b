<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_PT">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Português</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>Vista frontal</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>Vista traseira</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>Vista frontal e traseira</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Abrir ficheiros</translation>
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
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Seguinte</translation>
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
        <translation>Ativar som</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventos</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>Marcar o início do intervalo (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>Marcar o fim do intervalo (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>Exportar o intervalo</translation>
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
        <translation>Informações</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versão:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>Mais lento</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Mais rápido</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>Informações</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Configuração</translation>
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
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. Todos os direitos reservados.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir pasta</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>Este computador não consegue reproduzir o vídeo porque não dispõe do suporte de reprodução necessário para H.265 (HEVC).</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>Este computador não consegue reproduzir o vídeo porque não dispõe do suporte de reprodução necessário para H.264 (AVC).</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>Carregar trajeto…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>Nome do ficheiro</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duração</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>Data de criação</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamanho</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolução</translation>
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
        <translation>Caixa de diálogo</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Definições</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>Definições pessoais</translation>
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
        <translation>Pasta das capturas de ecrã</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>Escolher</translation>
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
        <translation>Unidade de velocidade</translation>
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
        <translation>Modo de renderização</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Imagem</translation>
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
        <translation>Abrir pasta</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avançado</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>Travagem brusca: queda de velocidade em 1 s</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>Aceleração brusca: subida de velocidade em 1 s</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>Impacto: variação entre amostras</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>Impacto: leitura de um eixo</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>O mapa precisa de OpenGL, que este ecrã não oferece.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>Carregar trajeto</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>Um ficheiro GPX ou NMEA que cubra as gravações</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Procurar…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>Desvio do relógio da câmara:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>Segundos somados às horas das gravações para coincidirem com as horas (UTC) do trajeto, se o relógio da câmara estiver na hora local</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Carregar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>Gravações em %1</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>Trajetos (*.gpx *.nmea *.gps *.log *.txt);;Todos os ficheiros (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>Escolha primeiro um ficheiro GPX ou NMEA.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>O trajeto não pode ser usado: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: tem dados GPS próprios</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: tem um ficheiro de trajeto próprio</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: coberta, %2 de %3 s</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: não coberta</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: não pode ser lida</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>Gravações cobertas pelo trajeto: %1</translation>
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
        <translation>Valor</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Gravação</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>Travagem brusca</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>Aceleração brusca</translation>
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
        <translation>O quê</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>Trajetos GPX e CSV junto aos vídeos</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>Espelhar a imagem traseira</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>Desenhar a faixa do sensor G</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Onde</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>Qualidade original, frente e traseira</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>Lado a lado com os dados da viagem</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>Traseira num canto da frente, com os dados da viagem</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>Todos estes</translation>
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
        <translation>De %1 de %2 até ao fim de %3.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>A cópia em qualidade original começa no fotograma-chave de %1.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>Pasta de exportação</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>Escolha uma pasta para os ficheiros.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>A exportar…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>A exportar… faltam cerca de %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Escritos:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>A cancelar…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>A exportação foi cancelada.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>O disco está cheio: %1 não pôde ser escrito por completo em %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>Não é possível escrever na pasta %1: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>Não foi possível escrever %1: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>Não há intervalo para exportar.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>A pasta %1 não existe e não pode ser criada.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>Nada foi escolhido para exportar.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>A pasta %1 contém demasiadas exportações deste intervalo.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>A exportação falhou: %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>Viagem %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>Hora desconhecida</translation>
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
        <translation>Clique para reproduzir a viagem a partir desse momento</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>Velocidade (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Velocidade (mph)</translation>
    </message>
</context>
</TS>
