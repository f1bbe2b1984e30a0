// The update windows' texts, kept as data in one UTF-8 source. Blank runs, the Chinese
// presentation-form colon (U+FE30) and the German en dash are part of the texts.
#include "Translation.h"

const QString pelvoModelName = QString::fromUtf8("OLVANE Pelvo");
const QString tarvikModelName = QString::fromUtf8("OLVANE Tarvik");
const QString versionKey = QString::fromUtf8("OLVANE_version1");

const QString makerWebsite = QString::fromUtf8("https://morvex.example/");
const QString makerWebsiteJapanese = QString::fromUtf8("https://morvex.example/ja/");

namespace {

QString text(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// The download-error message ends with a link whose target and visible text are the site.
QString withLink(const char *utf8, const QString &site) {
    return text(utf8) + QStringLiteral("<a href=\"") + site + QStringLiteral("\">") + site +
           QStringLiteral("</a>");
}

} // namespace

const Translation translation[translationCount] = {
    // English
    {text("OK"), text("Cancel"), text("Update now"), text("Update later"),
     text("Do not show this message again"), text("MORVEX Update Information"),
     text("Current Version: "), text("Latest Version: "),
     text("<font size=+1><b>The newest version of the Settings Panel has been "
          "released.</b></font><br>"),
     text("<font size=+1><b>The newest version of the unit firmware has been "
          "released.</b></font><br>"),
     text("MORVEX Latest Information"),
     withLink("The update file could not be downloaded.<br>Please try again after waiting a "
              "little while.<br>                You can also download it manually from the "
              "MORVEX website.<br>",
              makerWebsite),
     text("<b>Downloading</b>")},
    // French
    {text("OK"), text("Annuler"), text("Mettre à jour"), text("Plus tard"),
     text("Ne plus afficher ce message"), text("Informations de mise à jour MORVEX"),
     text("Version actuelle : "), text("Dernière version : "),
     text("<font size=+1><b>Il existe une version plus récente du panneau de réglages Settings "
          "Panel.</b></font><br>"),
     text("<font size=+1><b>Il existe une version plus récente du firmware de "
          "l'unité.</b></font><br>"),
     text("Dernières informations MORVEX"),
     withLink("Le fichier de mise à jour n'a pas pu être téléchargé.<br>Veuillez réessayer "
              "après avoir attendu un peu.<br>                Vous pouvez également le "
              "télécharger manuellement depuis le site Web Morvex.<br>",
              makerWebsite),
     text("<b>Téléchargement</b>")},
    // Spanish
    {text("OK"), text("Cancelar"), text("Actualizar ahora"), text("Actualizar más tarde"),
     text("No volver a ver este mensaje"), text("Información de actualización MORVEX"),
     text("Versión actual: "), text("Última versión: "),
     text("<font size=+1><b>Hay una nueva versión disponible del Settings "
          "Panel.</b></font><br>"),
     text("<font size=+1><b>Hay una nueva versión disponible del firmware de la "
          "unidad.</b></font><br>"),
     text("Últimas novedades de MORVEX"),
     withLink("El fichero de actualización no ha podido ser descargado.<br>Pruebe de nuevo "
              "después de unos minutos.<br>                También puede descargarlo "
              "manualmente desde la página web de MORVEX.<br>",
              makerWebsite),
     text("<b>Descargando</b>")},
    // German
    {text("OK"), text("Abbrechen"), text("Update jetzt"), text("Update später"),
     text("Diese Meldung nicht mehr anzeigen"), text("MORVEX Update-Information"),
     text("Aktuelle Version: "), text("Neue Version: "),
     text("<font size=+1><b>Eine neue Version des Einstellungsfelds ist "
          "verfügbar.</b></font><br>"),
     text("<font size=+1><b>Eine neue Version der Gerätefirmware ist "
          "verfügbar.</b></font><br>"),
     text("MORVEX – Neueste Informationen"),
     withLink("Die Update-Datei konnte nicht heruntergeladen werden.<br>Bitte versuchen Sie es "
              "später noch einmal.<br>                Oder laden Sie das Update manuell von der "
              "MORVEX-Website herunter.<br>",
              makerWebsite),
     text("<b>Herunterladen</b>")},
    // Italian
    {text("OK"), text("Annulla"), text("Aggiorna ora"), text("Aggiorna più tardi"),
     text("Non mostrare più questo messaggio"), text("MORVEX Informazioni di aggiornamento"),
     text("Versione corrente: "), text("Ultima versione: "),
     text("<font size=+1><b>È stata rilasciata la nuova versione del Settings "
          "Panel.</b></font><br>"),
     text("<font size=+1><b>È stata rilasciata la versione più recente del firmware "
          "dell'unità.</b></font><br>"),
     text("MORVEX Ultime informazioni"),
     withLink("Il file di aggiornamento non può essere scaricato.<br>Attendere qualche istante "
              "e riprovare.<br>                È possibile scaricarlo manualmente dal sito web "
              "MORVEX.<br>",
              makerWebsite),
     text("<b>Scaricamento</b>")},
    // Japanese: the window titles stay in English.
    {text("OK"), text("中止"), text("今すぐアップデートする"), text("あとでアップデートする"),
     text("同じメッセージを再度表示しない"), text("MORVEX Update Information"),
     text("現在のバージョン: "), text("新しいバージョン: "),
     text("<font size=+1><b>Settings Panelの最新版がリリースされました。</b></font><br>"),
     text("<font size=+1><b>本体ファームウェアの最新版がリリースされました。</b></font><br>"),
     text("MORVEX Latest Information"),
     withLink("更新ファイルがダウンロードできませんでした。<br>時間を空けて再度お試しください。"
              "<br>                MORVEXホームページから手動でダウンロードしていただくことも"
              "できます。<br>",
              makerWebsiteJapanese),
     text("<b>ダウンロード中</b>")},
    // Chinese: the version follows the colon directly.
    {text("OK"), text("取消"), text("现在更新"), text("往后更新"), text("不再显示此信息"),
     text("MORVEX更新信息"), text("目前版本︰"), text("最新版本︰"),
     text("<font size=+1><b>设置面板的最新版本已经发布。</b></font><br>"),
     text("<font size=+1><b>本机固件的最新版本已经发布。</b></font><br>"), text("MORVEX最新信息"),
     withLink("不能下载更新文件。<br>请多等一会儿再次尝试。<br>                "
              "您也可以从MORVEX官网上下载。<br>",
              makerWebsite),
     text("<b>下载中</b>")},
};

int translationIndex(QLocale::Language language) {
    struct Entry {
        QLocale::Language language;
        int index;
    };
    static const Entry entries[] = {
        {QLocale::French, 1},  {QLocale::Spanish, 2},  {QLocale::German, 3},
        {QLocale::Italian, 4}, {QLocale::Japanese, 5}, {QLocale::Chinese, 6},
    };
    for (const Entry &e : entries)
        if (e.language == language)
            return e.index;
    return 0;
}
