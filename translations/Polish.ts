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
    <message>
        <source>Events</source>
        <translation>Zdarzenia</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>Zaznacz początek zakresu (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>Zaznacz koniec zakresu (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>Eksportuj zakres</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Eksportuj</translation>
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
    <message>
        <source>Load track…</source>
        <translation>Wczytaj trasę…</translation>
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
    <message>
        <source>Advanced</source>
        <translation>Zaawansowane</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>Gwałtowne hamowanie: spadek prędkości w 1 s</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>Gwałtowne przyspieszenie: wzrost prędkości w 1 s</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>Uderzenie: zmiana między próbkami</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>Uderzenie: odczyt osi</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>Mapa wymaga OpenGL, którego ten ekran nie zapewnia.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>Wczytaj trasę</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>Plik GPX lub NMEA obejmujący nagrania</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Przeglądaj…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>Przesunięcie zegara kamery:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>Sekundy dodawane do czasów nagrań, aby zgadzały się z czasami (UTC) trasy, gdy zegar kamery jest ustawiony na czas lokalny</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Wczytaj</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>Nagrania w %1</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>Trasy (*.gpx *.nmea *.gps *.log *.txt);;Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>Najpierw wybierz plik GPX lub NMEA.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>Nie można użyć trasy: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: ma własne dane GPS</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: ma własny plik trasy</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: objęte, %2 z %3 s</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: nieobjęte</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: nie można odczytać</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>Nagrania objęte trasą: %1</translation>
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
        <translation>Czas</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Rodzaj</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wartość</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Nagranie</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>Gwałtowne hamowanie</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>Gwałtowne przyspieszenie</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>Uderzenie</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Eksportuj</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Co</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>Ślady GPX i CSV obok nagrań</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>Odbij lustrzanie obraz tylny</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>Rysuj pasek czujnika G</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Gdzie</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>Oryginalna jakość, przód i tył</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>Obok siebie z danymi trasy</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>Tył w rogu przodu, z danymi trasy</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>Wszystko to</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>Od %1 do %2 z %3.</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>Od %1 z %2 do %3 z %4.</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>Od %1 z %2 do końca %3.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>Kopia w oryginalnej jakości zaczyna się od klatki kluczowej w %1.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>Folder eksportu</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>Wybierz folder na pliki.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Eksportowanie…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>Eksportowanie… zostało około %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Zapisano:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Anulowanie…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>Eksport został anulowany.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>Dysk jest pełny: nie udało się zapisać całego pliku %1 w %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>Nie można zapisywać w folderze %1: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>Nie udało się zapisać %1: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>Brak zakresu do eksportu.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>Folder %1 nie istnieje i nie można go utworzyć.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>Nie wybrano nic do eksportu.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>Folder %1 zawiera zbyt wiele eksportów tego zakresu.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>Eksport nie powiódł się: %1</translation>
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
