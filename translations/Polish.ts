<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Polski</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>Widok z przodu</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>Widok z tyłu</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>Widok z przodu i z tyłu</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Otwórz pliki</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Zrzut klatki</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Poprzedni</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Odtwórz</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Następny</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>Wycisz</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Wstrzymaj</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>Wyłącz wyciszenie</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>Informacje</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Wersja:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>Wolniej</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Szybciej</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>Informacje</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Konfiguracja</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimalizuj</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maksymalizuj</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. Wszelkie prawa zastrzeżone.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Przywróć</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Otwórz folder</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>Ten komputer nie może odtworzyć tego filmu, ponieważ nie obsługuje odtwarzania wideo wymaganego dla formatu H.265 (HEVC).</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>Ten komputer nie może odtworzyć tego filmu, ponieważ nie obsługuje odtwarzania wideo wymaganego dla formatu H.264 (AVC).</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Błąd</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>Nazwa pliku</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Czas trwania</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>Data utworzenia</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Rozmiar</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Rozdzielczość</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>B</translation>
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
        <translation>Okno dialogowe</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>Ustawienia osobiste</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Język</translation>
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
        <translation>Folder zrzutów ekranu</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>Wybierz</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Mapy Google</translation>
    </message>
    <message>
        <source>Baidu Maps</source>
        <translation>Mapy Baidu</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>Jednostka prędkości</translation>
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
        <translation>Tryb renderowania</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Obraz</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Otwórz folder</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>Trasa %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>Nieznany czas</translation>
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
        <translation>maks. %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>maks. %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>Kliknij, aby odtworzyć trasę od tego momentu</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>Prędkość (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Prędkość (mph)</translation>
    </message>
</context>
</TS>
