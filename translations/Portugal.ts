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
</context>
</TS>
