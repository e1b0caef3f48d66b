<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Русский</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>Передняя камера</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>Задняя камера</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>Обе камеры</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Открыть файлы</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Снимок кадра</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Предыдущий</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Следующий</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>Выключить звук</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>Включить звук</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>Отметить начало фрагмента (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>Отметить конец фрагмента (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>Экспортировать фрагмент</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>Сведения</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Версия:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>Медленнее</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Быстрее</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>Сведения</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Настройка</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Развернуть</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. Все права защищены.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>Этот компьютер не может воспроизвести видео: в нём нет поддержки воспроизведения, необходимой для H.265 (HEVC).</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>Этот компьютер не может воспроизвести видео: в нём нет поддержки воспроизведения, необходимой для H.264 (AVC).</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>Загрузить трек…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>Дата создания</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Разрешение</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>байт</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>КБ</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>МБ</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>ГБ</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>ТБ</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>ПБ</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>ЭБ</translation>
    </message>
    <message>
        <source>ZB</source>
        <translation>ЗБ</translation>
    </message>
    <message>
        <source>YB</source>
        <translation>ЙБ</translation>
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
        <translation>Диалог</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>Личные настройки</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
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
        <translation>Папка для снимков экрана</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Google Карты</translation>
    </message>
    <message>
        <source>Baidu Maps</source>
        <translation>Карты Baidu</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>Единицы скорости</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>км/ч</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>миль/ч</translation>
    </message>
    <message>
        <source>RenderModel</source>
        <translation>Режим отрисовки</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Изображение</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>Резкое торможение: падение скорости за 1 с</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>Резкое ускорение: рост скорости за 1 с</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>Удар: изменение между замерами</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>Удар: показание оси</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>Для карты нужен OpenGL, которого этот дисплей не предоставляет.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>Загрузить трек</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>Файл GPX или NMEA, охватывающий записи</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Обзор…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>Сдвиг часов камеры:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>Секунды, добавляемые ко времени записей, чтобы совпасть со временем трека (UTC), если часы камеры идут по местному времени</translation>
    </message>
    <message>
        <source> s</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Загрузить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>Записи в %1</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>Треки (*.gpx *.nmea *.gps *.log *.txt);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>Сначала выберите файл GPX или NMEA.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>Трек нельзя использовать: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: есть собственные данные GPS</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: есть собственный файл трека</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: охвачено %2 из %3 с</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: не охвачено</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: не читается</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>Записей, охваченных треком: %1</translation>
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
        <translation>%1 км/ч/с</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>Резкое торможение</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>Резкое ускорение</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>Удар</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Что</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>Треки GPX и CSV рядом с видео</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>Зеркально отразить заднюю камеру</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>Рисовать полосу G-сенсора</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Куда</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>Исходное качество, передняя и задняя</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>Рядом, с данными поездки</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>Задняя в углу передней, с данными поездки</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>Всё это</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>С %1 по %2 из %3.</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>С %1 из %2 по %3 из %4.</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>С %1 из %2 до конца %3.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>Копия в исходном качестве начинается с ключевого кадра в %1.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>Папка для экспорта</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>Выберите папку для файлов.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Экспорт…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>Экспорт… осталось около %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Записано:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Отмена…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>Экспорт отменён.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>Диск заполнен: %1 не удалось полностью записать в %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>Нельзя записать в папку %1: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>Нет фрагмента для экспорта.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>Папка %1 не существует и не может быть создана.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>Ничего не выбрано для экспорта.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>В папке %1 слишком много экспортов этого фрагмента.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>Экспорт не удался: %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>Поездка %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>Время неизвестно</translation>
    </message>
    <message>
        <source>%1 km</source>
        <translation>%1 км</translation>
    </message>
    <message>
        <source>%1 mi</source>
        <translation>%1 миль</translation>
    </message>
    <message>
        <source>max %1 km/h</source>
        <translation>макс. %1 км/ч</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>макс. %1 миль/ч</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>Щёлкните, чтобы воспроизвести поездку с этого момента</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>Скорость (км/ч)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Скорость (миль/ч)</translation>
    </message>
</context>
</TS>
