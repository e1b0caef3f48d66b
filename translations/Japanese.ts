<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>日本語</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>フロント表示</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>リア表示</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>フロント・リア表示</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>キャプチャー</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>ミュート</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>ミュート解除</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>イベント</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>範囲の開始をマーク (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>範囲の終了をマーク (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>範囲を書き出す</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>書き出し</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>バージョン:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>低速</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>高速</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>情報</translation>
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
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. 無断複写・転載を禁じます。</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>元のサイズに戻す</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>このコンピューターには H.265 (HEVC) の再生に必要な動画再生支援機能がないため、この動画を再生できません。</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>このコンピューターには H.264 (AVC) の再生に必要な動画再生支援機能がないため、この動画を再生できません。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>トラックを読み込む…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>再生時間</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>作成日時</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解像度</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>バイト</translation>
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
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>個人設定</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
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
        <translation>スクリーンショットの保存先</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Google マップ</translation>
    </message>
    <message>
        <source>Baidu Maps</source>
        <translation>Baidu マップ</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>速度の単位</translation>
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
        <translation>描画方式</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>詳細設定</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>急ブレーキ: 1秒間の減速</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>急加速: 1秒間の加速</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>衝撃: サンプル間の変化</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>衝撃: 軸の測定値</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>地図の表示には OpenGL が必要ですが、このディスプレイでは利用できません。</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>トラックを読み込む</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>録画をカバーするGPXまたはNMEAファイル</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>参照…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>カメラ時計のずれ:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>カメラの時計が現地時刻の場合に、録画の時刻をトラックの時刻(UTC)に合わせるために加える秒数</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読み込む</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>%1 の録画</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>トラック (*.gpx *.nmea *.gps *.log *.txt);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>先にGPXまたはNMEAファイルを選択してください。</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>このトラックは使用できません: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: 独自のGPSデータあり</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: 専用のトラックファイルあり</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: カバー済み、%3 秒中 %2 秒</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: カバーなし</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: 読み込めません</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>トラックがカバーする録画: %1</translation>
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
        <translation>種類</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>録画ファイル</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>急ブレーキ</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>急加速</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>衝撃</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>書き出し</translation>
    </message>
    <message>
        <source>What</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>動画と一緒に GPX と CSV の軌跡も保存</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>後方映像を左右反転</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>Gセンサーのグラフを描画</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>保存先</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>元の画質 (前方と後方)</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>走行データ付きで横に並べる</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>後方を前方の隅に、走行データ付き</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>これらすべて</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>%3 の %1 から %2 まで。</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>%2 の %1 から %4 の %3 まで。</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>%2 の %1 から %3 の終わりまで。</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>元の画質のコピーは %1 のキーフレームから始まります。</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>書き出し先フォルダー</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>保存先のフォルダーを選んでください。</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>書き出し中…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>書き出し中… 残り約 %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>書き出したファイル:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>キャンセル中…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>書き出しはキャンセルされました。</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>ディスクがいっぱいです: %1 を %2 に最後まで書き込めませんでした。</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>フォルダー %1 に書き込めません: %2。</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 を書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>書き出す範囲がありません。</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>フォルダー %1 は存在せず、作成もできません。</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>書き出す内容が選ばれていません。</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>フォルダー %1 にはこの範囲の書き出しが多すぎます。</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>書き出しに失敗しました: %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>トリップ %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>時刻不明</translation>
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
        <translation>クリックでその時点から再生</translation>
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
