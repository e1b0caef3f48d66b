<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>繁體中文</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>前鏡頭畫面</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>後鏡頭畫面</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>前後鏡頭畫面</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>擷取畫面</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一個</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一個</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>取消靜音</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>標記範圍起點 (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>標記範圍終點 (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>匯出該範圍</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>減速</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>加速</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane。保留所有權利。</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>還原</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>開啟資料夾</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>此電腦不具備播放 H.265 (HEVC) 所需的視訊播放支援功能，因此無法播放此影片。</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>此電腦不具備播放 H.264 (AVC) 所需的視訊播放支援功能，因此無法播放此影片。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>載入軌跡…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>檔案名稱</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>長度</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>建立日期</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解析度</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>位元組</translation>
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
        <translation>對話方塊</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>個人設定</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
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
        <translation>截圖儲存路徑</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>選擇</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地圖</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Google 地圖</translation>
    </message>
    <message>
        <source>Baidu Maps</source>
        <translation>百度地圖</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>速度單位</translation>
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
        <translation>算繪模式</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>影像</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>開啟資料夾</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>進階</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>急煞車：1 秒內減速</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>急加速：1 秒內加速</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>碰撞：兩次取樣間的變化</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>碰撞：單軸讀數</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>地圖需要 OpenGL，而此顯示環境不提供 OpenGL。</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>載入軌跡</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>涵蓋這些錄影的 GPX 或 NMEA 檔案</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>瀏覽…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>攝影機時鐘偏移:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>當攝影機時鐘設為當地時間時，加到錄影時間上以對齊軌跡(UTC)時間的秒數</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>載入</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>%1 中的錄影</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>軌跡 (*.gpx *.nmea *.gps *.log *.txt);;所有檔案 (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>請先選擇 GPX 或 NMEA 檔案。</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>無法使用此軌跡: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: 自帶 GPS 資料</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: 有自己的軌跡檔案</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: 已涵蓋，%3 秒中的 %2 秒</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: 未涵蓋</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: 無法讀取</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>軌跡涵蓋的錄影: %1</translation>
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
        <translation>時間</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>類型</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>數值</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>錄影</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>急煞車</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>急加速</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>碰撞</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>What</source>
        <translation>內容</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>在影片旁儲存 GPX 與 CSV 軌跡</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>鏡像後方畫面</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>繪製重力感測器曲線</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>原始畫質 (前後)</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>並排並附行程資料</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>後方置於前方一角並附行程資料</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>以上全部</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>%3 的 %1 至 %2。</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>%2 的 %1 至 %4 的 %3。</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>%2 的 %1 至 %3 結束。</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>原始畫質副本從 %1 處的關鍵影格開始。</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>匯出資料夾</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>請為檔案選擇一個資料夾。</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>正在匯出…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>正在匯出… 約剩 %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>已寫入:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>正在取消…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>匯出已取消。</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>磁碟已滿: 無法將 %1 完整寫入 %2。</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>無法寫入資料夾 %1: %2。</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>無法寫入 %1: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>沒有可匯出的範圍。</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>資料夾 %1 不存在且無法建立。</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>未選擇要匯出的內容。</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>資料夾 %1 中此範圍的匯出過多。</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>匯出失敗: %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>行程 %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>時間未知</translation>
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
        <translation>最高 %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>最高 %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>點擊從該時刻播放行程</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>速度 (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>速度 (mph)</translation>
    </message>
</context>
</TS>
