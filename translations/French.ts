<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Français</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>Vue avant</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>Vue arrière</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>Vue avant et arrière</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>Ouvrir des fichiers</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capturer</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>Rétablir le son</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Événements</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>Marquer le début de la plage (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>Marquer la fin de la plage (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>Exporter la plage</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version :</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>Plus lent</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Plus rapide</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Agrandir</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. Tous droits réservés.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir un dossier</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>Cet ordinateur ne peut pas lire cette vidéo, car il ne prend pas en charge la lecture vidéo requise pour le format H.265 (HEVC).</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>Cet ordinateur ne peut pas lire cette vidéo, car il ne prend pas en charge la lecture vidéo requise pour le format H.264 (AVC).</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>Charger un tracé…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>Date de création</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>octets</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>Ko</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>To</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>Po</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>Eo</translation>
    </message>
    <message>
        <source>ZB</source>
        <translation>Zo</translation>
    </message>
    <message>
        <source>YB</source>
        <translation>Yo</translation>
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
        <translation>Boîte de dialogue</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>Paramètres personnels</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
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
        <translation>Dossier des captures d'écran</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
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
        <translation>Unité de vitesse</translation>
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
        <translation>Mode de rendu</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Ouvrir un dossier</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>Freinage brusque : baisse de vitesse en 1 s</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>Accélération brusque : hausse de vitesse en 1 s</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>Choc : variation entre deux mesures</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>Choc : valeur d'un axe</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>La carte nécessite OpenGL, que cet affichage ne fournit pas.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>Charger un tracé</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>Un fichier GPX ou NMEA qui couvre les enregistrements</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Parcourir…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>Décalage de l'horloge de la caméra :</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>Secondes ajoutées aux heures des enregistrements pour rejoindre les heures (UTC) du tracé, pour une caméra réglée à l'heure locale</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>Enregistrements dans %1</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>Tracés (*.gpx *.nmea *.gps *.log *.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>Choisissez d'abord un fichier GPX ou NMEA.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>Le tracé est inutilisable : %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1 : a ses propres données GPS</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1 : a son propre fichier de tracé</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1 : couvert, %2 sur %3 s</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1 : non couvert</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1 : illisible</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>Enregistrements couverts par le tracé : %1</translation>
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
        <translation>Temps</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>Freinage brusque</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>Accélération brusque</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>Choc</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Quoi</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>Traces GPX et CSV à côté des vidéos</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>Inverser l'image arrière</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>Dessiner la bande de l'accéléromètre</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Où</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>Qualité d'origine, avant et arrière</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>Côte à côte avec les données du trajet</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>L'arrière dans un coin de l'avant, avec les données du trajet</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>Tout cela</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>De %1 à %2 de %3.</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>De %1 de %2 à %3 de %4.</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>De %1 de %2 jusqu’à la fin de %3.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>La copie en qualité d'origine commence à l'image clé de %1.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>Dossier d'exportation</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>Choisissez un dossier pour les fichiers.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Exportation…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>Exportation… environ %1 restant</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Écrits :</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Annulation…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>L'exportation a été annulée.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>Le disque est plein : %1 n'a pas pu être écrit entièrement dans %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>Impossible d'écrire dans le dossier %1 : %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 n'a pas pu être écrit : %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>Il n'y a aucune plage à exporter.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>Le dossier %1 n'existe pas et ne peut pas être créé.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>Rien n'a été choisi pour l'exportation.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>Le dossier %1 contient trop d'exportations de cette plage.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>L'exportation a échoué : %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>Trajet %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>Heure inconnue</translation>
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
        <translation>max. %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>max. %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>Cliquer pour lire le trajet à partir de ce moment</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>Vitesse (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Vitesse (mph)</translation>
    </message>
</context>
</TS>
