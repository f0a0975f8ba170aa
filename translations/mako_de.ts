<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ClearButton</name>
    <message>
        <location filename="../src/ui/common/clearbutton.cpp" line="+16"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
</context>
<context>
    <name>Duration</name>
    <message>
        <location filename="../src/ui/common/metricpill.cpp" line="+33"/>
        <source>%1ms</source>
        <translation>%1 ms</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <location filename="../src/ui/common/filedialogs.cpp" line="+16"/>
        <source>JSON files (*.json)</source>
        <translation>JSON-Dateien (*.json)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/ui/preferences/editortab.cpp" line="+32"/>
        <source>Font Size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <location line="+11"/>
        <location filename="../src/ui/preferences/generaltab.cpp" line="+41"/>
        <source>%1px</source>
        <translation>%1px</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences/generaltab.cpp" line="-11"/>
        <source>Sidebar Width</source>
        <translation>Breite der Seitenleiste</translation>
    </message>
    <message>
        <location filename="../src/ui/screens/screenheader.cpp" line="+34"/>
        <source>GraphQL endpoint URL</source>
        <translation>URL des GraphQL-Endpunkts</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ws://localhost:8080/socket or wss://example.com/socket</source>
        <translation>ws://localhost:8080/socket oder wss://example.com/socket</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SSE endpoint URL</source>
        <translation>URL des SSE-Endpunkts</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Enter URL</source>
        <translation>URL eingeben</translation>
    </message>
    <message>
        <location filename="../src/ui/shell/makoapp.cpp" line="+127"/>
        <source>Mako</source>
        <translation>Mako</translation>
    </message>
</context>
<context>
    <name>RelativeTime</name>
    <message>
        <location filename="../src/ui/common/badges.cpp" line="+48"/>
        <source>just now</source>
        <translation>gerade eben</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n min. ago</source>
        <translation>
            <numerusform>vor %n Min.</numerusform>
            <numerusform>vor %n Min.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n hr. ago</source>
        <translation>
            <numerusform>vor %n Std.</numerusform>
            <numerusform>vor %n Std.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>yesterday</source>
        <translation>gestern</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n days ago</source>
        <translation>
            <numerusform>vor %n Tag</numerusform>
            <numerusform>vor %n Tagen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VariableSpan</name>
    <message>
        <location filename="../src/ui/editor/variablespans.cpp" line="+51"/>
        <source>%1 is a dynamic variable: a new value on each send, such as %2</source>
        <translation>%1 ist eine dynamische Variable: bei jedem Senden ein neuer Wert, etwa %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 = %2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is not defined in the active environment or globals</source>
        <translation>%1 ist weder in der aktiven Umgebung noch in den globalen Variablen definiert</translation>
    </message>
</context>
<context>
    <name>mako::AlertPresenter</name>
    <message numerus="yes">
        <location filename="../src/ui/shell/alertpresenter.cpp" line="+21"/>
        <source>%n other script(s)</source>
        <translation>
            <numerusform>%n anderes Skript</numerusform>
            <numerusform>%n andere Skripte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n request(s) with unsupported method(s)</source>
        <translation>
            <numerusform>%n Anfrage mit nicht unterstützter Methode</numerusform>
            <numerusform>%n Anfragen mit nicht unterstützten Methoden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n authorisation setting(s)</source>
        <translation>
            <numerusform>%n Autorisierungseinstellung</numerusform>
            <numerusform>%n Autorisierungseinstellungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n disabled row(s)</source>
        <translation>
            <numerusform>%n deaktivierte Zeile</numerusform>
            <numerusform>%n deaktivierte Zeilen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n form field content type(s)</source>
        <translation>
            <numerusform>%n Inhaltstyp eines Formularfelds</numerusform>
            <numerusform>%n Inhaltstypen von Formularfeldern</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n other part(s) of the document</source>
        <translation>
            <numerusform>%n weiterer Teil des Dokuments</numerusform>
            <numerusform>%n weitere Teile des Dokuments</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>%n request(s)</source>
        <translation>
            <numerusform>%n Anfrage</numerusform>
            <numerusform>%n Anfragen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%1 in %n folder(s)</source>
        <translation>
            <numerusform>%1 in %n Ordner</numerusform>
            <numerusform>%1 in %n Ordnern</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Imported “%1”: %2</source>
        <translation>„%1“ importiert: %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Left out: %1.</source>
        <translation>Ausgelassen: %1.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Changed on Disk</source>
        <translation>Auf dem Datenträger geändert</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>“%1” changed on disk</source>
        <translation>„%1“ wurde auf dem Datenträger geändert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Its tab holds edits that are not saved. Keep them, or take the version in the file instead?</source>
        <translation>Ihr Tab enthält ungespeicherte Änderungen. Sollen sie bleiben, oder soll stattdessen die Fassung aus der Datei gelten?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keep My Edits</source>
        <translation>Meine Änderungen behalten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use the File&apos;s Version</source>
        <translation>Fassung der Datei verwenden</translation>
    </message>
    <message>
        <location line="+27"/>
        <location line="+2"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Import Finished</source>
        <translation>Import abgeschlossen</translation>
    </message>
</context>
<context>
    <name>mako::AppState</name>
    <message>
        <location filename="../src/state/appstate.cpp" line="+130"/>
        <source>Failed to save data: %1: %2. The changes stay in memory and are written again at the next change.</source>
        <translation>Daten konnten nicht gespeichert werden: %1: %2. Die Änderungen bleiben im Speicher und werden bei der nächsten Änderung erneut geschrieben.</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>Failed to load data: %1</source>
        <translation>Daten konnten nicht geladen werden: %1</translation>
    </message>
    <message>
        <location filename="../src/state/appstateimport.cpp" line="+33"/>
        <source>&quot;%1&quot; could not be written.</source>
        <translation>„%1“ konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&quot;%1&quot; does not exist.</source>
        <translation>„%1“ existiert nicht.</translation>
    </message>
    <message numerus="yes">
        <location line="+73"/>
        <source>%n secret value(s) left out: %1</source>
        <translation>
            <numerusform>%n geheimer Wert ausgelassen: %1</numerusform>
            <numerusform>%n geheime Werte ausgelassen: %1</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Failed to import %1: %2</source>
        <translation>Import von %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Failed to import collection: %1</source>
        <translation>Sammlung konnte nicht importiert werden: %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <location line="+17"/>
        <location line="+15"/>
        <location line="+20"/>
        <location line="+21"/>
        <location line="+2"/>
        <source>Export failed: %1</source>
        <translation>Export fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="-37"/>
        <source>Exported without the requests a Postman collection cannot hold: %1</source>
        <translation>Exportiert ohne die Anfragen, die eine Postman-Sammlung nicht aufnehmen kann: %1</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Import failed: %1</source>
        <translation>Import fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Import failed: %1 could not be written; the imported data is shown but not stored.</source>
        <translation>Import fehlgeschlagen: %1 konnte nicht geschrieben werden; die importierten Daten werden angezeigt, aber nicht gespeichert.</translation>
    </message>
    <message>
        <location filename="../src/state/appstateoperations.cpp" line="+319"/>
        <source>%1 (Copy)</source>
        <translation>%1 (Kopie)</translation>
    </message>
</context>
<context>
    <name>mako::AuthEditor</name>
    <message>
        <location filename="../src/ui/editor/autheditor.cpp" line="+33"/>
        <source>No authentication</source>
        <translation>Keine Authentifizierung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Token</source>
        <translation>Token</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enter bearer token</source>
        <translation>Bearer-Token eingeben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Credentials</source>
        <translation>Anmeldedaten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Base64-encoded as Authorization header</source>
        <translation>Base64-kodiert als Authorization-Header</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>API Key</source>
        <translation>API-Schlüssel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enter API key</source>
        <translation>API-Schlüssel eingeben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sent as X-API-Key header</source>
        <translation>Gesendet als X-API-Key-Header</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Answers the server&apos;s Digest challenge (MD5 or SHA-256); the password itself is never sent</source>
        <translation>Beantwortet die Digest-Anfrage des Servers (MD5 oder SHA-256); das Passwort selbst wird nie gesendet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Answers the server&apos;s NTLM challenge</source>
        <translation>Beantwortet die NTLM-Anfrage des Servers</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Kerberos (SPNEGO) with the system&apos;s tickets; username and password may stay empty</source>
        <translation>Kerberos (SPNEGO) mit den Tickets des Systems; Benutzername und Passwort dürfen leer bleiben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Signs the request with AWS Signature Version 4; without a region and service they are read from the host name</source>
        <translation>Signiert die Anfrage mit AWS Signature Version 4; ohne Region und Dienst werden sie aus dem Hostnamen gelesen</translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+14"/>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+167"/>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location line="-166"/>
        <location line="+167"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="-165"/>
        <source>Domain</source>
        <translation>Domain</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+6"/>
        <source>Optional</source>
        <translation>Optional</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Service</source>
        <translation>Dienst</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Session Token</source>
        <translation>Sitzungstoken</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Inherit from collection</source>
        <translation>Von der Sammlung übernehmen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Not in a collection: the request goes without auth</source>
        <translation>Nicht in einer Sammlung: die Anfrage geht ohne Authentifizierung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The collection “%1” has no auth: the request goes without</source>
        <translation>Die Sammlung „%1“ hat keine Authentifizierung: die Anfrage geht ohne</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uses the collection&apos;s %1, from “%2”</source>
        <translation>Verwendet %1 der Sammlung „%2“</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>Access Key</source>
        <translation>Zugriffsschlüssel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Secret Key</source>
        <translation>Geheimer Schlüssel</translation>
    </message>
</context>
<context>
    <name>mako::BodyEditor</name>
    <message>
        <location filename="../src/ui/editor/bodyeditor.cpp" line="+113"/>
        <source>No body</source>
        <translation>Kein Body</translation>
    </message>
    <message>
        <location line="+125"/>
        <source>Form Fields</source>
        <translation>Formularfelder</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The body is sent as these fields; they are the Params tab&apos;s rows.</source>
        <translation>Der Body wird als diese Felder gesendet; es sind die Zeilen des Tabs „Parameter“.</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Format</source>
        <translation>Formatieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Indent the JSON and sort its keys</source>
        <translation>JSON einrücken und Schlüssel sortieren</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Body</source>
        <translation>Body</translation>
    </message>
</context>
<context>
    <name>mako::BodyPane</name>
    <message>
        <location filename="../src/ui/response/bodypane.cpp" line="+48"/>
        <source>Working...</source>
        <translation>Wird bearbeitet …</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+1"/>
        <source>Find in body</source>
        <translation>Im Body suchen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Next</source>
        <translation>Nächster</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <location line="+34"/>
        <location line="+13"/>
        <source>Finding...</source>
        <translation>Wird gesucht …</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
</context>
<context>
    <name>mako::BodyView</name>
    <message>
        <location filename="../src/ui/response/bodyview.cpp" line="+125"/>
        <source>Response body</source>
        <translation>Antwort-Body</translation>
    </message>
</context>
<context>
    <name>mako::CertificateSheet</name>
    <message>
        <location filename="../src/ui/preferences/certificatesheet.cpp" line="+36"/>
        <location line="+26"/>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+92"/>
        <source>Certificate file</source>
        <translation>Zertifikatsdatei</translation>
    </message>
    <message>
        <location line="-91"/>
        <source>Key file</source>
        <translation>Schlüsseldatei</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+30"/>
        <source>Passphrase</source>
        <translation>Passphrase</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+31"/>
        <source>CA bundle</source>
        <translation>CA-Bundle</translation>
    </message>
    <message>
        <location line="-28"/>
        <source>Add Certificate</source>
        <translation>Zertifikat hinzufügen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Edit Certificate</source>
        <translation>Zertifikat bearbeiten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>api.example.com or *.corp.example:8443</source>
        <translation>api.example.com oder *.corp.example:8443</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Certificate type</source>
        <translation>Zertifikatstyp</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PEM certificate and key</source>
        <translation>PEM-Zertifikat und -Schlüssel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PKCS #12</source>
        <translation>PKCS #12</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>In the certificate file</source>
        <translation>In der Zertifikatsdatei</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>None</source>
        <translation>Keins</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>System certificates only</source>
        <translation>Nur Systemzertifikate</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Choose Client Certificate</source>
        <translation>Client-Zertifikat wählen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Choose Private Key</source>
        <translation>Privaten Schlüssel wählen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Choose CA Bundle</source>
        <translation>CA-Bundle wählen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The CA bundle is trusted in addition to the system&apos;s certificates.</source>
        <translation>Dem CA-Bundle wird zusätzlich zu den Zertifikaten des Systems vertraut.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Choose...</source>
        <translation>Wählen …</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Certificate</source>
        <translation>Zertifikat</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+1"/>
        <source>PKCS #12 file</source>
        <translation>PKCS-#12-Datei</translation>
    </message>
</context>
<context>
    <name>mako::CertificatesTab</name>
    <message>
        <location filename="../src/ui/preferences/certificatestab.cpp" line="+33"/>
        <source>None</source>
        <translation>Keins</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 (PKCS #12)</source>
        <translation>%1 (PKCS #12)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Client certificates and certificate authorities for the hosts you name. A request uses the first entry whose host matches.</source>
        <translation>Client-Zertifikate und Zertifizierungsstellen für die Hosts, die Sie angeben. Eine Anfrage verwendet den ersten Eintrag, dessen Host passt.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Certificate</source>
        <translation>Zertifikat</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CA bundle</source>
        <translation>CA-Bundle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Certificates</source>
        <translation>Zertifikate</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Add...</source>
        <translation>Hinzufügen …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edit...</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No keyring is available: passphrases are kept until Mako quits.</source>
        <translation>Kein Schlüsselbund verfügbar: Passphrasen bleiben nur bis zum Beenden von Mako erhalten.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>System</source>
        <translation>System</translation>
    </message>
</context>
<context>
    <name>mako::CodeGeneratorView</name>
    <message>
        <location filename="../src/ui/editor/codegeneratorview.cpp" line="+42"/>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copy the code</source>
        <translation>Code kopieren</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Generated code</source>
        <translation>Erzeugter Code</translation>
    </message>
</context>
<context>
    <name>mako::CollectionAuthSheet</name>
    <message>
        <location filename="../src/ui/sidebar/collectionauthsheet.cpp" line="+45"/>
        <location line="+1"/>
        <location line="+39"/>
        <source>Collection Auth</source>
        <translation>Authentifizierung der Sammlung</translation>
    </message>
    <message>
        <location line="-33"/>
        <source>The requests of “%1” whose auth is “Inherit from collection” go with this one.</source>
        <translation>Die Anfragen von „%1“, deren Authentifizierung „Von der Sammlung übernehmen“ ist, gehen mit dieser.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>mako::CollectionCommands</name>
    <message>
        <location filename="../src/ui/sidebar/collectioncommands.cpp" line="+70"/>
        <location line="+34"/>
        <source>New Request</source>
        <translation>Neue Anfrage</translation>
    </message>
    <message>
        <location line="-32"/>
        <location line="+1"/>
        <source>New Folder</source>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Run Collection</source>
        <translation>Sammlung ausführen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export...</source>
        <translation>Exportieren …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export as k6 Script...</source>
        <translation>Als k6-Skript exportieren …</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Export as Postman Collection...</source>
        <translation>Als Postman-Sammlung exportieren …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save Collection to Folder...</source>
        <translation>Sammlung in Ordner sichern …</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+22"/>
        <source>Scripts...</source>
        <translation>Skripte …</translation>
    </message>
    <message>
        <location line="-20"/>
        <source>Auth...</source>
        <translation>Authentifizierung …</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+15"/>
        <location line="+42"/>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <location line="-55"/>
        <source>Duplicate Collection</source>
        <translation>Sammlung duplizieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Collection</source>
        <translation>Sammlung löschen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Delete Folder</source>
        <translation>Ordner löschen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Move to Folder</source>
        <translation>In Ordner verschieben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>(Root)</source>
        <translation>(Oberste Ebene)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Copy to Collection</source>
        <translation>In Sammlung kopieren</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+64"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="-31"/>
        <source>Remove the collection &quot;%1&quot; from Mako?</source>
        <translation>Die Sammlung „%1“ aus Mako entfernen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Its folder %1 and the files in it stay as they are.</source>
        <translation>Ihr Ordner %1 und die Dateien darin bleiben unverändert.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete the collection &quot;%1&quot; and its requests?</source>
        <translation>Die Sammlung „%1“ und ihre Anfragen löschen?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete the folder &quot;%1&quot;? Its requests stay in the collection.</source>
        <translation>Den Ordner „%1“ löschen? Seine Anfragen bleiben in der Sammlung.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete the request &quot;%1&quot;?</source>
        <translation>Die Anfrage „%1“ löschen?</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Delete?</source>
        <translation>Löschen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This cannot be undone.</source>
        <translation>Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Save Collection to Folder</source>
        <translation>Sammlung in Ordner sichern</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Export Collection</source>
        <translation>Sammlung exportieren</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Export as k6 Script</source>
        <translation>Als k6-Skript exportieren</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Export as Postman Collection</source>
        <translation>Als Postman-Sammlung exportieren</translation>
    </message>
</context>
<context>
    <name>mako::CollectionExporter</name>
    <message>
        <location filename="../src/interchange/collectionexporter.cpp" line="+107"/>
        <location line="+13"/>
        <source>The file is not a Mako backup.</source>
        <translation>Die Datei ist keine Mako-Sicherung.</translation>
    </message>
</context>
<context>
    <name>mako::CollectionPickerSheet</name>
    <message>
        <location filename="../src/ui/shell/collectionpickersheet.cpp" line="+23"/>
        <location line="+1"/>
        <location line="+27"/>
        <source>Export Collection</source>
        <translation>Sammlung exportieren</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Collection</source>
        <translation>Sammlung</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Export...</source>
        <translation>Exportieren …</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Collection:</source>
        <translation>Sammlung:</translation>
    </message>
</context>
<context>
    <name>mako::CollectionTreeModel</name>
    <message>
        <location filename="../src/ui/sidebar/collectiontreemodel.cpp" line="+118"/>
        <source>%1 (in the folder %2)</source>
        <translation>%1 (im Ordner %2)</translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%1, in a folder, %n request(s)</source>
        <translation>
            <numerusform>%1, in einem Ordner, %n Anfrage</numerusform>
            <numerusform>%1, in einem Ordner, %n Anfragen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%1, %n request(s)</source>
        <translation>
            <numerusform>%1, %n Anfrage</numerusform>
            <numerusform>%1, %n Anfragen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::CommandPalette</name>
    <message>
        <location filename="../src/ui/shell/commandpalette.cpp" line="+97"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No matching requests</source>
        <translation>Keine passenden Anfragen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Command Palette</source>
        <translation>Befehlspalette</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Search requests...</source>
        <translation>Anfragen durchsuchen …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Search requests</source>
        <translation>Anfragen durchsuchen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Matches</source>
        <translation>Treffer</translation>
    </message>
</context>
<context>
    <name>mako::CookieEditorSheet</name>
    <message>
        <location filename="../src/ui/shell/cookiessheet.cpp" line="+268"/>
        <source>Also send to subdomains</source>
        <translation>Auch an Subdomains senden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Session cookie (not kept between launches)</source>
        <translation>Sitzungscookie (wird nicht zwischen Starts behalten)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Secure (HTTPS only)</source>
        <translation>Secure (nur HTTPS)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>HttpOnly</source>
        <translation>HttpOnly</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Edit Cookie</source>
        <translation>Cookie bearbeiten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Add Cookie</source>
        <translation>Cookie hinzufügen</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+36"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="-35"/>
        <location line="+36"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location line="-35"/>
        <location line="+36"/>
        <source>Domain</source>
        <translation>Domain</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+36"/>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+36"/>
        <source>Expires</source>
        <translation>Läuft ab</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>The name cannot hold control characters, &quot;=&quot; or &quot;;&quot;, and the value no control characters.</source>
        <translation>Der Name darf keine Steuerzeichen, „=“ oder „;“ enthalten, der Wert keine Steuerzeichen.</translation>
    </message>
</context>
<context>
    <name>mako::CookiesSheet</name>
    <message>
        <location line="-295"/>
        <source>Add...</source>
        <translation>Hinzufügen …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edit...</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+32"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+37"/>
        <source>Clear Domain</source>
        <translation>Domain leeren</translation>
    </message>
    <message>
        <location line="-36"/>
        <location line="+40"/>
        <source>Clear All</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <location line="-37"/>
        <location line="+1"/>
        <location line="+51"/>
        <source>Cookies</source>
        <translation>Cookies</translation>
    </message>
    <message>
        <location line="-45"/>
        <source>Cookies by domain</source>
        <translation>Cookies nach Domain</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Expires</source>
        <translation>Läuft ab</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Flags</source>
        <translation>Merkmale</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Delete the cookie &quot;%1&quot; of %2?</source>
        <translation>Das Cookie „%1“ von %2 löschen?</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Delete every cookie of %1?</source>
        <translation>Alle Cookies von %1 löschen?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete every cookie?</source>
        <translation>Alle Cookies löschen?</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Delete?</source>
        <translation>Löschen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This cannot be undone.</source>
        <translation>Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
</context>
<context>
    <name>mako::CurlImport</name>
    <message>
        <location filename="../src/interchange/curldata.cpp" line="+57"/>
        <source>%1 reads standard input, which is not read here.</source>
        <translation>%1 liest die Standardeingabe, die hier nicht gelesen wird.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 reads the file %2, and an import reads no files: put the file&apos;s contents into the command instead.</source>
        <translation>%1 liest die Datei %2, doch ein Import liest keine Dateien: Fügen Sie stattdessen den Inhalt der Datei in den Befehl ein.</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+5"/>
        <source>Cannot read the file %1 for %2: %3</source>
        <translation>Die Datei %1 für %2 kann nicht gelesen werden: %3</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 gives bytes that are not UTF-8 text, which a request cannot hold.</source>
        <translation>%1 liefert Bytes, die kein UTF-8-Text sind; eine Anfrage kann sie nicht aufnehmen.</translation>
    </message>
    <message>
        <location filename="../src/interchange/curloptions.cpp" line="+179"/>
        <source>%1 gives no &quot;=&quot;: curl refuses it too.</source>
        <translation>%1 enthält kein „=“: Auch curl lehnt das ab.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 has no field name, which a request cannot send.</source>
        <translation>%1 hat keinen Feldnamen; so kann eine Anfrage das Feld nicht senden.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 uploads a file, which a request cannot hold; the field is left out.</source>
        <translation>%1 lädt eine Datei hoch, die eine Anfrage nicht aufnehmen kann; das Feld wird ausgelassen.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 sets the part&apos;s type, file name or headers, which a request cannot hold; they are left out.</source>
        <translation>%1 legt Typ, Dateinamen oder Header des Teils fest, die eine Anfrage nicht aufnehmen kann; sie werden ausgelassen.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>--cookie %1 reads cookies from a file, which a request cannot hold; they are left out.</source>
        <translation>--cookie %1 liest Cookies aus einer Datei, die eine Anfrage nicht aufnehmen kann; sie werden ausgelassen.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1 uploads a file, which a request cannot hold.</source>
        <translation>%1 lädt eine Datei hoch, die eine Anfrage nicht aufnehmen kann.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 reads more options from a file, which are left out.</source>
        <translation>%1 liest weitere Optionen aus einer Datei; sie werden ausgelassen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 changes the request line, which a request cannot hold.</source>
        <translation>%1 ändert die Anfragezeile, was eine Anfrage nicht aufnehmen kann.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 makes the request conditional, which is left out.</source>
        <translation>%1 macht die Anfrage bedingt; das wird ausgelassen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <location line="+3"/>
        <source>%1 takes credentials from a .netrc file, which are left out.</source>
        <translation>%1 nimmt Anmeldedaten aus einer .netrc-Datei; sie werden ausgelassen.</translation>
    </message>
    <message>
        <location filename="../src/interchange/curlparser.cpp" line="+59"/>
        <source>The method %1 cannot be sent.</source>
        <translation>Die Methode %1 kann nicht gesendet werden.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>-H &apos;%1:&apos; leaves out a header that a request always sends.</source>
        <translation>-H &apos;%1:&apos; lässt einen Header weg, den eine Anfrage immer sendet.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 authentication cannot be held by a request; the --user credentials are left out.</source>
        <translation>Eine Anfrage kann keine %1-Authentifizierung aufnehmen; die Anmeldedaten von --user werden ausgelassen.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>--user %1 gives no password, which curl would ask for.</source>
        <translation>--user %1 enthält kein Passwort; curl würde danach fragen.</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Data (-d) and form fields (-F) cannot go in one request; curl refuses the command too.</source>
        <translation>Daten (-d) und Formularfelder (-F) können nicht in einer Anfrage stehen; auch curl lehnt den Befehl ab.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A HEAD request (-I) cannot carry a body; curl refuses the command too.</source>
        <translation>Eine HEAD-Anfrage (-I) kann keinen Body tragen; auch curl lehnt den Befehl ab.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A HEAD request carries no body; the data is left out.</source>
        <translation>Eine HEAD-Anfrage trägt keinen Body; die Daten werden ausgelassen.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Only the first URL is imported; curl would also send %1.</source>
        <translation>Nur die erste URL wird importiert; curl würde auch %1 senden.</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>The certificate options are left out: the URL names no host to keep them for.</source>
        <translation>Die Zertifikatsoptionen wurden weggelassen: die URL nennt keinen Host, für den sie gelten könnten.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>--cert-type %1 is not one Mako reads; the certificate is taken as PEM.</source>
        <translation>--cert-type %1 kann Mako nicht lesen; das Zertifikat wird als PEM gelesen.</translation>
    </message>
</context>
<context>
    <name>mako::CurlImportSheet</name>
    <message>
        <location filename="../src/ui/editor/curlimportsheet.cpp" line="+36"/>
        <source>The cURL command was imported; some of it was left out or changed:</source>
        <translation>Der cURL-Befehl wurde importiert; einiges wurde ausgelassen oder geändert:</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The certificate options were added to Preferences → Certificates, for %1.</source>
        <translation>Die Zertifikatsoptionen wurden unter Einstellungen → Zertifikate für %1 eingetragen.</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Import from cURL</source>
        <translation>Aus cURL importieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste a cURL command below:</source>
        <translation>Fügen Sie unten einen cURL-Befehl ein:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>cURL command</source>
        <translation>cURL-Befehl</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
</context>
<context>
    <name>mako::CustomMethodSheet</name>
    <message>
        <location filename="../src/ui/editor/custommethodsheet.cpp" line="+24"/>
        <source>Custom Method</source>
        <translation>Eigene Methode</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Method name</source>
        <translation>Name der Methode</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Method</source>
        <translation>Methode</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Use</source>
        <translation>Verwenden</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Type the method&apos;s name.</source>
        <translation>Geben Sie den Namen der Methode ein.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&quot;%1&quot; cannot be a method: use letters, digits and ! # $ % &amp; &apos; * + - . ^ _ ` | ~ only, without spaces.</source>
        <translation>„%1“ kann keine Methode sein: Verwenden Sie nur Buchstaben, Ziffern und ! # $ % &amp; &apos; * + - . ^ _ ` | ~, ohne Leerzeichen.</translation>
    </message>
</context>
<context>
    <name>mako::DataTab</name>
    <message>
        <location filename="../src/ui/preferences/datatab.cpp" line="+62"/>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Max History Items</source>
        <translation>Maximale Einträge im Verlauf</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Storage</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Data Location</source>
        <translation>Speicherort der Daten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Calculating...</source>
        <translation>Wird berechnet …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Storage Used</source>
        <translation>Belegter Speicher</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export creates a single JSON file with all collections, environments, global variables, and history.</source>
        <translation>Der Export erstellt eine einzige JSON-Datei mit allen Sammlungen, Umgebungen, globalen Variablen und dem Verlauf.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Open in File Manager</source>
        <translation>Im Dateimanager öffnen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Clear History</source>
        <translation>Verlauf löschen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Export All Data...</source>
        <translation>Alle Daten exportieren …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export All Data</source>
        <translation>Alle Daten exportieren</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import Data...</source>
        <translation>Daten importieren …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select a Mako backup file</source>
        <translation>Mako-Sicherungsdatei auswählen</translation>
    </message>
    <message>
        <location line="+55"/>
        <location line="+1"/>
        <source>Clear History?</source>
        <translation>Verlauf löschen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This will permanently delete all request history.</source>
        <translation>Dadurch wird der gesamte Anfrageverlauf endgültig gelöscht.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>mako::EditorTab</name>
    <message>
        <location filename="../src/ui/preferences/editortab.cpp" line="+28"/>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Font Size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>2 spaces</source>
        <translation>2 Leerzeichen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>4 spaces</source>
        <translation>4 Leerzeichen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tab</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tab Size</source>
        <translation>Tabulatorbreite</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show line numbers in response</source>
        <translation>Zeilennummern in der Antwort anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Word wrap long lines</source>
        <translation>Lange Zeilen umbrechen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Syntax highlighting</source>
        <translation>Syntaxhervorhebung</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Formatting</source>
        <translation>Formatierung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auto-format JSON on paste</source>
        <translation>JSON beim Einfügen automatisch formatieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>mako::EnvironmentEditorSheet</name>
    <message>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="+118"/>
        <location line="+5"/>
        <location line="+8"/>
        <location line="+37"/>
        <source>Environments</source>
        <translation>Umgebungen</translation>
    </message>
    <message>
        <location line="-36"/>
        <source>Global Variables</source>
        <translation>Globale Variablen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Add Environment</source>
        <translation>Umgebung hinzufügen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Environment</source>
        <translation>Umgebung löschen</translation>
    </message>
    <message>
        <location line="+42"/>
        <location line="+5"/>
        <source>Kept in:</source>
        <translation>Gespeichert in:</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>No secret service is available: secret values are kept only until Mako quits.</source>
        <translation>Kein Schlüsselbund-Dienst verfügbar: geheime Werte bleiben nur erhalten, bis Mako beendet wird.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>This Computer</source>
        <translation>Diesem Computer</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 (folder)</source>
        <translation>%1 (Ordner)</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>New Environment</source>
        <translation>Neue Umgebung</translation>
    </message>
    <message>
        <location line="-131"/>
        <source>Select an environment to edit</source>
        <translation>Wählen Sie eine Umgebung zum Bearbeiten aus</translation>
    </message>
    <message>
        <location line="-145"/>
        <source>Secret</source>
        <translation>Geheim</translation>
    </message>
    <message>
        <location line="+154"/>
        <location line="+11"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="-119"/>
        <source>Variables</source>
        <translation>Variablen</translation>
    </message>
    <message>
        <location line="+132"/>
        <source>Global variables are available in all environments. Local environment variables override globals with the same key.</source>
        <translation>Globale Variablen stehen in allen Umgebungen zur Verfügung. Variablen einer Umgebung haben Vorrang vor globalen Variablen mit demselben Schlüssel.</translation>
    </message>
</context>
<context>
    <name>mako::EnvironmentSelector</name>
    <message>
        <location filename="../src/ui/shell/environmentselector.cpp" line="+29"/>
        <source>No Environment</source>
        <translation>Keine Umgebung</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Environment</source>
        <translation>Umgebung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The environment whose variables fill in the placeholders of the requests</source>
        <translation>Die Umgebung, deren Variablen die Platzhalter der Anfragen füllen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Manage Environments &amp; Global Variables</source>
        <translation>Umgebungen und globale Variablen verwalten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Manage</source>
        <translation>Verwalten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Opens the editor of the environments and the global variables</source>
        <translation>Öffnet den Editor der Umgebungen und der globalen Variablen</translation>
    </message>
</context>
<context>
    <name>mako::FileCommands</name>
    <message>
        <location filename="../src/ui/shell/filecommands.cpp" line="+24"/>
        <source>Import Postman Collection</source>
        <translation>Postman-Sammlung importieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Import Postman Environment</source>
        <translation>Postman-Umgebung importieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Import Mako Collection</source>
        <translation>Mako-Sammlung importieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Open Folder as Collection</source>
        <translation>Ordner als Sammlung öffnen</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Export Collection</source>
        <translation>Sammlung exportieren</translation>
    </message>
</context>
<context>
    <name>mako::FileImporter</name>
    <message>
        <location filename="../src/interchange/fileimporter.cpp" line="+50"/>
        <source>Postman collection</source>
        <translation>Postman-Sammlung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>OpenAPI document</source>
        <translation>OpenAPI-Dokument</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>HAR capture</source>
        <translation>HAR-Mitschnitt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Insomnia export</source>
        <translation>Insomnia-Export</translation>
    </message>
</context>
<context>
    <name>mako::FolderCollection</name>
    <message>
        <location filename="../src/interchange/foldercollectiondecode.cpp" line="+33"/>
        <source>line %1, column %2: %3</source>
        <translation>Zeile %1, Spalte %2: %3</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>expected an object</source>
        <translation>Objekt erwartet</translation>
    </message>
    <message>
        <location line="+248"/>
        <source>&quot;requests&quot; is not a list of file names</source>
        <translation>„requests“ ist keine Liste von Dateinamen</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>There is no collection.json in the folder.</source>
        <translation>Der Ordner enthält keine collection.json.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>its order of folders, requests or environments is not a list of names</source>
        <translation>ihre Reihenfolge der Ordner, Anfragen oder Umgebungen ist keine Liste von Namen</translation>
    </message>
    <message>
        <location filename="../src/interchange/foldercollectionfiles.cpp" line="+69"/>
        <source>Cannot create the folder of %1.</source>
        <translation>Der Ordner von %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 is not a folder.</source>
        <translation>%1 ist kein Ordner.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Cannot create the folder %1.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not a file name of a collection.</source>
        <translation>%1 ist kein Dateiname einer Sammlung.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Cannot remove %1: %2</source>
        <translation>%1 kann nicht entfernt werden: %2</translation>
    </message>
</context>
<context>
    <name>mako::FolderCollections</name>
    <message>
        <location filename="../src/state/foldercollections.cpp" line="+184"/>
        <source>Failed to save data: %1: %2. The changes stay in memory and are written again at the next change.</source>
        <translation>Daten konnten nicht gespeichert werden: %1: %2. Die Änderungen bleiben im Speicher und werden bei der nächsten Änderung erneut geschrieben.</translation>
    </message>
    <message>
        <location line="+91"/>
        <source>The collection “%1” could not be read from %2: %3</source>
        <translation>Die Sammlung „%1“ konnte nicht aus %2 gelesen werden: %3</translation>
    </message>
    <message numerus="yes">
        <location line="+79"/>
        <source>%n file(s) of “%1” could not be read: %2</source>
        <translation>
            <numerusform>%n Datei von „%1“ konnte nicht gelesen werden: %2</numerusform>
            <numerusform>%n Dateien von „%1“ konnten nicht gelesen werden: %2</numerusform>
        </translation>
    </message>
    <message>
        <location line="+71"/>
        <source>This folder holds no collection.json.</source>
        <translation>Dieser Ordner enthält keine collection.json.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The folder %1 could not be opened as a collection: %2</source>
        <translation>Der Ordner %1 konnte nicht als Sammlung geöffnet werden: %2</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>%1 is not empty and holds no copy of this collection. Choose an empty folder.</source>
        <translation>%1 ist nicht leer und enthält keine Kopie dieser Sammlung. Wählen Sie einen leeren Ordner.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Failed to save data: %1: %2</source>
        <translation>Daten konnten nicht gespeichert werden: %1: %2</translation>
    </message>
</context>
<context>
    <name>mako::GeneralTab</name>
    <message>
        <location filename="../src/ui/preferences/generaltab.cpp" line="+25"/>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Theme</source>
        <translation>Design</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Purple</source>
        <translation>Lila</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Accent Color</source>
        <translation>Akzentfarbe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Behavior</source>
        <translation>Verhalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sidebar Width</source>
        <translation>Breite der Seitenleiste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show method badges in sidebar</source>
        <translation>Methoden-Kennzeichen in der Seitenleiste anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Confirm before deleting items</source>
        <translation>Vor dem Löschen von Einträgen nachfragen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reopen last request on launch</source>
        <translation>Letzte Anfrage beim Start wieder öffnen</translation>
    </message>
</context>
<context>
    <name>mako::GraphQLScreen</name>
    <message>
        <location filename="../src/ui/screens/graphqlscreen.cpp" line="+60"/>
        <source>GraphQL</source>
        <translation>GraphQL</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Schema</source>
        <translation>Schema</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Operation name (optional)</source>
        <translation>Name der Operation (optional)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Operation</source>
        <translation>Operation</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Query</source>
        <translation>Abfrage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Variables (JSON)</source>
        <translation>Variablen (JSON)</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>Scripts</source>
        <translation>Skripte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Shows or hides the request&apos;s pre-request and test scripts</source>
        <translation>Zeigt oder verbirgt die Vorab- und Testskripte der Anfrage</translation>
    </message>
</context>
<context>
    <name>mako::HarImporter</name>
    <message>
        <location filename="../src/interchange/harimporter.cpp" line="+76"/>
        <source>file field &quot;%1&quot; left without its file</source>
        <translation>Dateifeld „%1“ ohne seine Datei übernommen</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The file is not a HAR capture (&quot;log.entries&quot; is missing).</source>
        <translation>Die Datei ist kein HAR-Mitschnitt („log.entries“ fehlt).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HAR Import</source>
        <translation>HAR-Import</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>skipped, the method %1 cannot be sent</source>
        <translation>übersprungen, die Methode %1 kann nicht gesendet werden</translation>
    </message>
</context>
<context>
    <name>mako::HeadersAuthSection</name>
    <message>
        <location filename="../src/ui/screens/headersauthsection.cpp" line="+55"/>
        <location line="+1"/>
        <source>Headers and Auth</source>
        <translation>Header und Auth</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Shows or hides the request&apos;s headers and authentication</source>
        <translation>Zeigt oder verbirgt die Header und die Authentifizierung der Anfrage</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Headers</source>
        <translation>Header</translation>
    </message>
    <message numerus="yes">
        <location line="+89"/>
        <source>%n header(s)</source>
        <translation>
            <numerusform>%n Header</numerusform>
            <numerusform>%n Header</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::HistoryListModel</name>
    <message>
        <location filename="../src/ui/sidebar/historylistmodel.cpp" line="+68"/>
        <source>%1 %2, %3, status %4, %5</source>
        <translation>%1 %2, %3, Status %4, %5</translation>
    </message>
</context>
<context>
    <name>mako::HistoryView</name>
    <message>
        <location filename="../src/ui/sidebar/historyview.cpp" line="+33"/>
        <source>Search history...</source>
        <translation>Verlauf durchsuchen …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Search history</source>
        <translation>Verlauf durchsuchen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No history yet</source>
        <translation>Noch kein Verlauf</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No matching requests</source>
        <translation>Keine passenden Anfragen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Rerun</source>
        <translation>Erneut senden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save to Collection</source>
        <translation>In Sammlung speichern</translation>
    </message>
</context>
<context>
    <name>mako::InsomniaImporter</name>
    <message>
        <location filename="../src/interchange/insomniaimporter.cpp" line="+124"/>
        <source>file field &quot;%1&quot; left without its file</source>
        <translation>Dateifeld „%1“ ohne seine Datei übernommen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>disabled form field &quot;%1&quot; left out</source>
        <translation>deaktiviertes Formularfeld „%1“ weggelassen</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>binary file body left out</source>
        <translation>binärer Datei-Body weggelassen</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>API key in a cookie left out</source>
        <translation>API-Schlüssel in einem Cookie weggelassen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>OAuth 2.0 grant &quot;%1&quot; left out</source>
        <translation>OAuth-2.0-Grant „%1“ weggelassen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>OAuth 2.0 client secret and password left out, to be entered again</source>
        <translation>OAuth-2.0-Client-Secret und -Passwort weggelassen, bitte neu eingeben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 authorisation left out</source>
        <translation>Autorisierung %1 weggelassen</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>skipped, the method %1 cannot be sent</source>
        <translation>übersprungen, die Methode %1 kann nicht gesendet werden</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>disabled query parameter &quot;%1&quot; left out</source>
        <translation>deaktivierter Query-Parameter „%1“ weggelassen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>template tag kept as written</source>
        <translation>Template-Tag unverändert übernommen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The file is not an Insomnia export (&quot;_type&quot;: &quot;export&quot; or &quot;type&quot;: &quot;collection.insomnia.rest/5.0&quot; is missing).</source>
        <translation>Die Datei ist kein Insomnia-Export („_type“: „export“ oder „type“: „collection.insomnia.rest/5.0“ fehlt).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Insomnia export format %1 is not supported (4 and 5 are).</source>
        <translation>Das Insomnia-Exportformat %1 wird nicht unterstützt (4 und 5 schon).</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Insomnia Import</source>
        <translation>Insomnia-Import</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>skipped, gRPC requests cannot be sent</source>
        <translation>übersprungen, gRPC-Anfragen können nicht gesendet werden</translation>
    </message>
</context>
<context>
    <name>mako::IterationData</name>
    <message>
        <location filename="../src/interchange/iterationdata.cpp" line="+45"/>
        <source>not valid JSON at offset %1: %2</source>
        <translation>kein gültiges JSON an Position %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>JSON iteration data must be an array of objects</source>
        <translation>JSON-Iterationsdaten müssen ein Array von Objekten sein</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>item %1 of the array is not an object</source>
        <translation>Element %1 des Arrays ist kein Objekt</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>line %1: text after a closing quote</source>
        <translation>Zeile %1: Text nach einem schließenden Anführungszeichen</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>line %1: a quoted field is never closed</source>
        <translation>Zeile %1: ein Feld in Anführungszeichen wird nie geschlossen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>the CSV file has no header row</source>
        <translation>die CSV-Datei hat keine Kopfzeile</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>record %1 has %2 fields, the header has %3</source>
        <translation>Datensatz %1 hat %2 Felder, die Kopfzeile hat %3</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>the iteration data holds no rows</source>
        <translation>die Iterationsdaten enthalten keine Zeilen</translation>
    </message>
</context>
<context>
    <name>mako::KeyValueEditor</name>
    <message>
        <location filename="../src/ui/editor/keyvalueeditor.cpp" line="+78"/>
        <location line="+82"/>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <location line="-82"/>
        <location line="+83"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Hide Value</source>
        <translation>Wert verbergen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Show Value</source>
        <translation>Wert zeigen</translation>
    </message>
</context>
<context>
    <name>mako::KeyValueModel</name>
    <message>
        <location filename="../src/ui/editor/keyvaluemodel.cpp" line="+54"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="-171"/>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="+4"/>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="+1"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="-5"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>mako::MainMenu</name>
    <message>
        <location filename="../src/ui/shell/mainmenu.cpp" line="+63"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>New Request</source>
        <translation>Neue Anfrage</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import Postman Collection...</source>
        <translation>Postman-Sammlung importieren …</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import Postman Environment...</source>
        <translation>Postman-Umgebung importieren …</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Export Collection...</source>
        <translation>Sammlung exportieren …</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Import Mako Collection...</source>
        <translation>Mako-Sammlung importieren …</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open Folder as Collection...</source>
        <translation>Ordner als Sammlung öffnen …</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import from cURL...</source>
        <translation>Aus cURL importieren …</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send Request</source>
        <translation>Anfrage senden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save to Collection</source>
        <translation>In Sammlung speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Duplicate Request</source>
        <translation>Anfrage duplizieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Preferences...</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Toggle Sidebar</source>
        <translation>Seitenleiste ein-/ausblenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quick Open</source>
        <translation>Schnell öffnen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cookies...</source>
        <translation>Cookies …</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Mako Website</source>
        <translation>Mako-Website</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>♥ Support Mako</source>
        <translation>♥ Mako unterstützen</translation>
    </message>
</context>
<context>
    <name>mako::MainWindow</name>
    <message>
        <location filename="../src/ui/shell/mainwindow.cpp" line="+60"/>
        <source>Mako</source>
        <translation>Mako</translation>
    </message>
    <message>
        <location line="+202"/>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Toggle Sidebar</source>
        <translation>Seitenleiste ein-/ausblenden</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Shows or hides the sidebar with the collections and the history</source>
        <translation>Zeigt oder verbirgt die Seitenleiste mit den Sammlungen und dem Verlauf</translation>
    </message>
</context>
<context>
    <name>mako::NetworkError</name>
    <message>
        <location filename="../src/execution/networkerror.cpp" line="+12"/>
        <source>Please enter a URL</source>
        <translation>Bitte geben Sie eine URL ein</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invalid URL: %1 is not defined in the active environment or the global variables</source>
        <translation>Ungültige URL: %1 ist weder in der aktiven Umgebung noch in den globalen Variablen definiert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid URL: %1 are not defined in the active environment or the global variables</source>
        <translation>Ungültige URL: %1 sind weder in der aktiven Umgebung noch in den globalen Variablen definiert</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invalid URL: %1</source>
        <translation>Ungültige URL: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Server returned an invalid response</source>
        <translation>Der Server hat eine ungültige Antwort geliefert</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Request timed out — the server didn&apos;t respond in time. Try increasing the timeout in Preferences.</source>
        <translation>Zeitüberschreitung der Anfrage – der Server hat nicht rechtzeitig geantwortet. Erhöhen Sie die Zeitüberschreitung in den Einstellungen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No internet connection. Mako works fully offline for saved data, but needs a connection to send requests.</source>
        <translation>Keine Internetverbindung. Mit gespeicherten Daten arbeitet Mako vollständig offline, zum Senden von Anfragen braucht es aber eine Verbindung.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cannot find host — check the URL is correct.</source>
        <translation>Host nicht gefunden – prüfen Sie, ob die URL stimmt.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SSL connection failed. If using a self-signed certificate, disable SSL verification in Preferences.</source>
        <translation>SSL-Verbindung fehlgeschlagen. Deaktivieren Sie bei einem selbstsignierten Zertifikat die SSL-Prüfung in den Einstellungen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Server certificate is not trusted. Disable SSL verification in Preferences for self-signed certs.</source>
        <translation>Dem Serverzertifikat wird nicht vertraut. Deaktivieren Sie für selbstsignierte Zertifikate die SSL-Prüfung in den Einstellungen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server requires a client certificate. Add one for this host in Preferences → Certificates.</source>
        <translation>Der Server verlangt ein Client-Zertifikat. Fügen Sie unter Einstellungen → Zertifikate eines für diesen Host hinzu.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server did not accept the client certificate.</source>
        <translation>Der Server hat das Client-Zertifikat nicht angenommen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server closed the secure connection without replying. It may require a client certificate: add one for this host in Preferences → Certificates.</source>
        <translation>Der Server hat die sichere Verbindung ohne Antwort geschlossen. Vielleicht verlangt er ein Client-Zertifikat: Fügen Sie unter Einstellungen → Zertifikate eines für diesen Host hinzu.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server closed the secure connection without replying. It may not accept the client certificate.</source>
        <translation>Der Server hat die sichere Verbindung ohne Antwort geschlossen. Vielleicht nimmt er das Client-Zertifikat nicht an.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Certificate file not found: %1</source>
        <translation>Zertifikatsdatei nicht gefunden: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The client certificate could not be opened — check its passphrase.</source>
        <translation>Das Client-Zertifikat ließ sich nicht öffnen – prüfen Sie die Passphrase.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The client certificate could not be read: %1</source>
        <translation>Das Client-Zertifikat ließ sich nicht lesen: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Request was cancelled.</source>
        <translation>Die Anfrage wurde abgebrochen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Network error: %1</source>
        <translation>Netzwerkfehler: %1</translation>
    </message>
</context>
<context>
    <name>mako::NetworkTab</name>
    <message>
        <location filename="../src/ui/preferences/networktab.cpp" line="+52"/>
        <source>Only disable for local development with self-signed certificates.</source>
        <translation>Nur für die lokale Entwicklung mit selbstsignierten Zertifikaten deaktivieren.</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Timeouts</source>
        <translation>Zeitüberschreitungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>Request Timeout</source>
        <translation>Zeitüberschreitung der Anfrage</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+4"/>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+3"/>
        <source>Script Timeout</source>
        <translation>Zeitüberschreitung für Skripte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Redirects</source>
        <translation>Weiterleitungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Follow redirects automatically</source>
        <translation>Weiterleitungen automatisch folgen</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+2"/>
        <source>Max Redirects</source>
        <translation>Maximale Weiterleitungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SSL / TLS</source>
        <translation>SSL / TLS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verify SSL certificates</source>
        <translation>SSL-Zertifikate prüfen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cookies</source>
        <translation>Cookies</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep cookies between launches</source>
        <translation>Cookies zwischen Starts behalten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Defaults</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>User-Agent</source>
        <translation>User-Agent</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>HTTP/1.1 only</source>
        <translation>Nur HTTP/1.1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>HTTP/2</source>
        <translation>HTTP/2</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>HTTP Version</source>
        <translation>HTTP-Version</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Auto uses HTTP/2 over TLS where the server offers it.</source>
        <translation>Automatisch verwendet HTTP/2 über TLS, wo der Server es anbietet.</translation>
    </message>
</context>
<context>
    <name>mako::NewCollectionSheet</name>
    <message>
        <location filename="../src/ui/sidebar/namesheets.cpp" line="+75"/>
        <source>New Collection</source>
        <translation>Neue Sammlung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Collection Name</source>
        <translation>Name der Sammlung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
</context>
<context>
    <name>mako::OAuth2Pane</name>
    <message>
        <location filename="../src/ui/editor/oauth2pane.cpp" line="+42"/>
        <source>No expiry given</source>
        <translation>Kein Ablauf angegeben</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Expired</source>
        <translation>Abgelaufen</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>Expires in %n min</source>
        <translation>
            <numerusform>Läuft in %n Min. ab</numerusform>
            <numerusform>Läuft in %n Min. ab</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Expires in %n h</source>
        <translation>
            <numerusform>Läuft in %n Std. ab</numerusform>
            <numerusform>Läuft in %n Std. ab</numerusform>
        </translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Forget Token</source>
        <translation>Token vergessen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+305"/>
        <source>Get New Access Token</source>
        <translation>Neues Access-Token holen</translation>
    </message>
    <message>
        <location line="-304"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+5"/>
        <source>Grant</source>
        <translation>Grant</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Authorization Code (PKCE)</source>
        <translation>Authorization Code (PKCE)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client Credentials</source>
        <translation>Client Credentials</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+24"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Auth URL</source>
        <translation>Autorisierungs-URL</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Token URL</source>
        <translation>Token-URL</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Client ID</source>
        <translation>Client-ID</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client Secret</source>
        <translation>Client-Secret</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kept in the secret store, never in a file</source>
        <translation>Im Schlüsselbund aufbewahrt, nie in einer Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scope</source>
        <translation>Scope</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>Optional</source>
        <translation>Optional</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Audience</source>
        <translation>Audience</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Extra Parameters</source>
        <translation>Weitere Parameter</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+4"/>
        <source>Client Authentication</source>
        <translation>Client-Authentifizierung</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Basic header</source>
        <translation>Basic-Header</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>In the body</source>
        <translation>Im Body</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Redirect Port</source>
        <translation>Redirect-Port</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Any free port</source>
        <translation>Beliebiger freier Port</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Copy Token</source>
        <translation>Token kopieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel Getting Token</source>
        <translation>Token-Abruf abbrechen</translation>
    </message>
    <message>
        <location line="+205"/>
        <source>No token yet</source>
        <translation>Noch kein Token</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Scope: %1</source>
        <translation>Scope: %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Getting Token...</source>
        <translation>Token wird geholt …</translation>
    </message>
</context>
<context>
    <name>mako::OAuth2Tokens</name>
    <message>
        <location filename="../src/state/oauth2tokens.cpp" line="+75"/>
        <location line="+306"/>
        <source>OAuth 2.0: %1 — %2</source>
        <translation>OAuth 2.0: %1 – %2</translation>
    </message>
    <message>
        <location line="-304"/>
        <location line="+219"/>
        <location line="+84"/>
        <source>OAuth 2.0: %1</source>
        <translation>OAuth 2.0: %1</translation>
    </message>
    <message>
        <location line="-301"/>
        <source>OAuth 2.0: the token endpoint&apos;s answer holds no access token</source>
        <translation>OAuth 2.0: die Antwort des Token-Endpunkts enthält kein Access-Token</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OAuth 2.0: the token endpoint answered with status %1</source>
        <translation>OAuth 2.0: der Token-Endpunkt antwortete mit Status %1</translation>
    </message>
    <message>
        <location line="+170"/>
        <source>OAuth 2.0: the token URL “%1” is not an http or https address</source>
        <translation>OAuth 2.0: die Token-URL „%1“ ist keine http- oder https-Adresse</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>OAuth 2.0: the authorization URL “%1” is not an http or https address</source>
        <translation>OAuth 2.0: die Autorisierungs-URL „%1“ ist keine http- oder https-Adresse</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OAuth 2.0: there is no browser to open the authorization page in</source>
        <translation>OAuth 2.0: es gibt keinen Browser, der die Autorisierungsseite öffnen könnte</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OAuth 2.0: a newer authorization replaced this one</source>
        <translation>OAuth 2.0: eine neuere Autorisierung hat diese ersetzt</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>OAuth 2.0: cannot listen on port %1 for the browser&apos;s return</source>
        <translation>OAuth 2.0: Port %1 kann nicht für die Rückkehr des Browsers geöffnet werden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Mako has the authorization. You can close this page and return to Mako.</source>
        <translation>Mako hat die Autorisierung erhalten. Sie können diese Seite schließen und zu Mako zurückkehren.</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>OAuth 2.0: the authorization answer was refused: its state does not match the one sent</source>
        <translation>OAuth 2.0: die Autorisierungsantwort wurde abgelehnt: ihr State passt nicht zum gesendeten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OAuth 2.0: the authorization answer holds no code</source>
        <translation>OAuth 2.0: die Autorisierungsantwort enthält keinen Code</translation>
    </message>
    <message>
        <location line="+90"/>
        <source>OAuth 2.0: the access token has expired; get a new one with “Get New Access Token”</source>
        <translation>OAuth 2.0: das Access-Token ist abgelaufen; holen Sie mit „Neues Access-Token holen“ ein neues</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OAuth 2.0: there is no access token yet; get one with “Get New Access Token”</source>
        <translation>OAuth 2.0: es gibt noch kein Access-Token; holen Sie eines mit „Neues Access-Token holen“</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>OAuth 2.0: cancelled before the browser returned</source>
        <translation>OAuth 2.0: abgebrochen, bevor der Browser zurückkehrte</translation>
    </message>
</context>
<context>
    <name>mako::OpenAPIImporter</name>
    <message>
        <location filename="../src/interchange/openapiimporter.cpp" line="+294"/>
        <source>cookie parameter &quot;%1&quot; left out</source>
        <translation>Cookie-Parameter „%1“ weggelassen</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>optional form field &quot;%1&quot; left out</source>
        <translation>optionales Formularfeld „%1“ weggelassen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>file field &quot;%1&quot; left without a file</source>
        <translation>Dateifeld „%1“ ohne Datei übernommen</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>security scheme &quot;%1&quot; (%2) left out</source>
        <translation>Sicherheitsschema „%1“ (%2) weggelassen</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>API key in a cookie</source>
        <translation>API-Schlüssel in einem Cookie</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>OAuth 2.0 implicit flow</source>
        <translation>OAuth-2.0-Implicit-Flow</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>undefined</source>
        <translation>nicht definiert</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>optional query parameter &quot;%1&quot; left out</source>
        <translation>optionaler Query-Parameter „%1“ weggelassen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>callbacks left out</source>
        <translation>Callbacks weggelassen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>servers of its own left out, it uses {{baseUrl}}</source>
        <translation>eigene Server weggelassen, verwendet {{baseUrl}}</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>server &quot;%1&quot; left out, baseUrl is the first</source>
        <translation>Server „%1“ weggelassen, baseUrl ist der erste</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Imported API</source>
        <translation>Importierte API</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 webhooks left out</source>
        <translation>%1 Webhooks weggelassen</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>The file is not an OpenAPI or Swagger document (&quot;openapi&quot; or &quot;swagger&quot; is missing).</source>
        <translation>Die Datei ist kein OpenAPI- oder Swagger-Dokument („openapi“ oder „swagger“ fehlt).</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OpenAPI %1 is not supported (3.0, 3.1 and Swagger 2.0 are).</source>
        <translation>OpenAPI %1 wird nicht unterstützt (3.0, 3.1 und Swagger 2.0 schon).</translation>
    </message>
</context>
<context>
    <name>mako::PersistenceService</name>
    <message>
        <location filename="../src/state/persistenceservice.cpp" line="+133"/>
        <source>%1 (%2; it could not be copied aside: %3, so Mako will not save over it)</source>
        <translation>%1 (%2; die Datei konnte nicht beiseitegelegt werden: %3, daher überschreibt Mako sie nicht)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 (%2; the unreadable file was kept as %3)</source>
        <translation>%1 (%2; die unlesbare Datei wurde als %3 aufbewahrt)</translation>
    </message>
</context>
<context>
    <name>mako::PhaseWaterfall</name>
    <message>
        <location filename="../src/ui/response/timingchart.cpp" line="+87"/>
        <source>Timing phases</source>
        <translation>Zeitphasen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Redirects</source>
        <translation>Weiterleitungen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>DNS lookup</source>
        <translation>DNS-Auflösung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>TLS handshake</source>
        <translation>TLS-Handshake</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First byte</source>
        <translation>Erstes Byte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Transfer</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Phases</source>
        <translation>Phasen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Phases (%1)</source>
        <translation>Phasen (%1)</translation>
    </message>
</context>
<context>
    <name>mako::PostmanImporter</name>
    <message>
        <location filename="../src/interchange/postmanimporter.cpp" line="+90"/>
        <source>%1 script dropped</source>
        <translation>%1-Skript ausgelassen</translation>
    </message>
    <message>
        <location line="+136"/>
        <source>%1 authorisation dropped</source>
        <translation>%1-Autorisierung ausgelassen</translation>
    </message>
    <message>
        <location line="+125"/>
        <source>disabled query parameter &quot;%1&quot; dropped</source>
        <translation>deaktivierter Query-Parameter „%1“ ausgelassen</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>disabled form field &quot;%1&quot; dropped</source>
        <translation>deaktiviertes Formularfeld „%1“ ausgelassen</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>file field &quot;%1&quot; dropped</source>
        <translation>Dateifeld „%1“ ausgelassen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>content type &quot;%1&quot; of form field &quot;%2&quot; dropped</source>
        <translation>Inhaltstyp „%1“ des Formularfelds „%2“ ausgelassen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>binary file body dropped</source>
        <translation>binärer Datei-Body ausgelassen</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>skipped, the method %1 cannot be sent</source>
        <translation>übersprungen, die Methode %1 kann nicht gesendet werden</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>%1 (folder)</source>
        <translation>%1 (Ordner)</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The file is not a Postman collection (%1).</source>
        <translation>Die Datei ist keine Postman-Sammlung (%1).</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The file is not a Postman environment (%1).</source>
        <translation>Die Datei ist keine Postman-Umgebung (%1).</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&quot;%1&quot; is missing</source>
        <translation>„%1“ fehlt</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 (collection)</source>
        <translation>%1 (Sammlung)</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>a value has no &quot;key&quot;</source>
        <translation>ein Wert hat keinen „key“</translation>
    </message>
</context>
<context>
    <name>mako::PreferencesWindow</name>
    <message>
        <location filename="../src/ui/preferences/preferenceswindow.cpp" line="+45"/>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Proxy</source>
        <translation>Proxy</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Certificates</source>
        <translation>Zertifikate</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Shortcuts</source>
        <translation>Kürzel</translation>
    </message>
</context>
<context>
    <name>mako::ProtocolPicker</name>
    <message>
        <location filename="../src/ui/shell/protocolpicker.cpp" line="+41"/>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Chooses the protocol of the open request; the arrow keys choose another</source>
        <translation>Wählt das Protokoll der offenen Anfrage; die Pfeiltasten wählen ein anderes</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Use %1 for the open request</source>
        <translation>%1 für die geöffnete Anfrage verwenden</translation>
    </message>
</context>
<context>
    <name>mako::ProxyTab</name>
    <message>
        <location filename="../src/ui/preferences/proxytab.cpp" line="+54"/>
        <source>HTTP</source>
        <translation>HTTP</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>HTTPS</source>
        <translation>HTTPS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SOCKS5</source>
        <translation>SOCKS5</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Configure a proxy to route requests through a proxy server. Useful for debugging with tools like Charles or mitmproxy.</source>
        <translation>Richten Sie einen Proxy ein, um Anfragen über einen Proxyserver zu leiten. Nützlich zum Debuggen mit Werkzeugen wie Charles oder mitmproxy.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Proxy Configuration</source>
        <translation>Proxy-Konfiguration</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enable proxy</source>
        <translation>Proxy aktivieren</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Use system proxy (http_proxy, https_proxy, no_proxy)</source>
        <translation>Proxy des Systems verwenden (http_proxy, https_proxy, no_proxy)</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+17"/>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Proxy requires authentication</source>
        <translation>Proxy erfordert Authentifizierung</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No secret store is running: the password is kept for this run only.</source>
        <translation>Es läuft kein Passwortspeicher: Das Passwort wird nur für diese Sitzung behalten.</translation>
    </message>
</context>
<context>
    <name>mako::RecordJson</name>
    <message>
        <location filename="../src/model/recordjson.cpp" line="+112"/>
        <source>invalid value</source>
        <translation>ungültiger Wert</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>expected an object</source>
        <translation>Objekt erwartet</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>missing key</source>
        <translation>Schlüssel fehlt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>must not be null</source>
        <translation>darf nicht null sein</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+51"/>
        <source>expected a string</source>
        <translation>Zeichenkette erwartet</translation>
    </message>
    <message>
        <location line="-42"/>
        <source>expected a boolean</source>
        <translation>Wahrheitswert erwartet</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>expected a number</source>
        <translation>Zahl erwartet</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>expected an integer</source>
        <translation>ganze Zahl erwartet</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>expected a UUID string</source>
        <translation>UUID als Zeichenkette erwartet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is not a UUID</source>
        <translation>„%1“ ist keine UUID</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>unknown value &quot;%1&quot; (expected one of: %2)</source>
        <translation>unbekannter Wert „%1“ (erwartet: einer von %2)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>expected an array</source>
        <translation>Array erwartet</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>&quot;%1&quot; is not a method name</source>
        <translation>„%1“ ist kein Methodenname</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&quot;%1&quot; is not an OAuth 2.0 grant</source>
        <translation>„%1“ ist kein OAuth-2.0-Grant</translation>
    </message>
    <message>
        <location line="+88"/>
        <source>expected a folder</source>
        <translation>Ordner erwartet</translation>
    </message>
    <message>
        <location line="+253"/>
        <source>invalid JSON at offset %1: %2</source>
        <translation>ungültiges JSON an Position %1: %2</translation>
    </message>
</context>
<context>
    <name>mako::RenameSheet</name>
    <message>
        <location filename="../src/ui/sidebar/namesheets.cpp" line="-20"/>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>mako::RequestDetailTabs</name>
    <message>
        <location filename="../src/ui/editor/requestdetailtabs.cpp" line="+96"/>
        <source>Query Parameters</source>
        <translation>Abfrageparameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+45"/>
        <source>Headers</source>
        <translation>Header</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Params</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Body</source>
        <translation>Body</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Auth</source>
        <translation>Auth</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Scripts</source>
        <translation>Skripte</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The request has a script</source>
        <translation>Die Anfrage hat ein Skript</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>The body is Form Data: these rows are sent as its fields, not in the URL.</source>
        <translation>Der Body besteht aus Formulardaten: Diese Zeilen werden als seine Felder gesendet, nicht in der URL.</translation>
    </message>
</context>
<context>
    <name>mako::RequestStatusBar</name>
    <message>
        <location filename="../src/ui/editor/requeststatusbar.cpp" line="+31"/>
        <source>No enabled variable of the active environment or the globals defines these placeholders.</source>
        <translation>Keine aktivierte Variable der aktiven Umgebung oder der globalen Variablen definiert diese Platzhalter.</translation>
    </message>
    <message numerus="yes">
        <location line="+71"/>
        <source>%n undefined variable(s), sent as typed: %1</source>
        <translation>
            <numerusform>%n undefinierte Variable, wie eingegeben gesendet: %1</numerusform>
            <numerusform>%n undefinierte Variablen, wie eingegeben gesendet: %1</numerusform>
        </translation>
    </message>
    <message>
        <location line="+21"/>
        <source>From History (unsaved)</source>
        <translation>Aus dem Verlauf (nicht gespeichert)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Unsaved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message numerus="yes">
        <location line="+13"/>
        <source>%n header(s)</source>
        <translation>
            <numerusform>%n Header</numerusform>
            <numerusform>%n Header</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
</context>
<context>
    <name>mako::RequestView</name>
    <message>
        <location filename="../src/ui/editor/requestview.cpp" line="+35"/>
        <source>Response</source>
        <translation>Antwort</translation>
    </message>
</context>
<context>
    <name>mako::ResizeDivider</name>
    <message>
        <location filename="../src/ui/editor/resizedivider.cpp" line="+18"/>
        <source>Resize response</source>
        <translation>Größe der Antwort ändern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Drag it, or press Up or Down, to share the height between request and response</source>
        <translation>Ziehen oder Pfeil nach oben/unten drücken, um die Höhe zwischen Anfrage und Antwort aufzuteilen</translation>
    </message>
</context>
<context>
    <name>mako::ResponseView</name>
    <message>
        <location filename="../src/ui/response/responseview.cpp" line="+59"/>
        <source>Sending...</source>
        <translation>Wird gesendet …</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Request cancelled</source>
        <translation>Anfrage abgebrochen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Response</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>HTTP status code</source>
        <translation>HTTP-Statuscode</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Time the request took</source>
        <translation>Dauer der Anfrage</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Size of the response body</source>
        <translation>Größe des Antwort-Bodys</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>HTTP version the response came over</source>
        <translation>HTTP-Version, über die die Antwort kam</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Copy response body</source>
        <translation>Antwort-Body kopieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save Response...</source>
        <translation>Antwort speichern …</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Body</source>
        <translation>Body</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+40"/>
        <source>Headers</source>
        <translation>Header</translation>
    </message>
    <message>
        <location line="-40"/>
        <location line="+41"/>
        <source>Cookies</source>
        <translation>Cookies</translation>
    </message>
    <message>
        <location line="-40"/>
        <source>Timing</source>
        <translation>Zeiten</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+1"/>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Raw</source>
        <translation>Roh</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Domain</source>
        <translation>Domain</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Expires</source>
        <translation>Läuft ab</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Flags</source>
        <translation>Flags</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No cookies</source>
        <translation>Keine Cookies</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Manage Cookies...</source>
        <translation>Cookies verwalten …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Manage Cookies</source>
        <translation>Cookies verwalten</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Save Response</source>
        <translation>Antwort speichern</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Could not save the response to “%1”: %2</source>
        <translation>Die Antwort konnte nicht in „%1“ gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>mako::RunResultModel</name>
    <message>
        <location filename="../src/ui/sidebar/runresultmodel.cpp" line="+57"/>
        <source>%1 %2: %3</source>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>passed</source>
        <translation>bestanden</translation>
    </message>
    <message numerus="yes">
        <location line="-39"/>
        <source>%1/%n test(s)</source>
        <translation>
            <numerusform>%1/%n Test</numerusform>
            <numerusform>%1/%n Tests</numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%1 %2: %3, %4 of %n test(s) passed</source>
        <translation>
            <numerusform>%1 %2: %3, %4 von %n Test bestanden</numerusform>
            <numerusform>%1 %2: %3, %4 von %n Tests bestanden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::RunnerSheet</name>
    <message>
        <location filename="../src/ui/sidebar/runnersheet.cpp" line="+57"/>
        <location line="+1"/>
        <location line="+25"/>
        <source>Collection Runner</source>
        <translation>Sammlungsdurchlauf</translation>
    </message>
    <message>
        <location line="-10"/>
        <location line="+103"/>
        <source>Run All</source>
        <translation>Alle ausführen</translation>
    </message>
    <message>
        <location line="-100"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message numerus="yes">
        <location line="+24"/>
        <source>Click &apos;Run All&apos; to execute %n request(s)</source>
        <translation>
            <numerusform>Klicken Sie auf „Alle ausführen“, um %n Anfrage auszuführen</numerusform>
            <numerusform>Klicken Sie auf „Alle ausführen“, um %n Anfragen auszuführen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>%1 passed</source>
        <translation>%1 bestanden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%n test(s) passed</source>
        <translation>
            <numerusform>%n Test bestanden</numerusform>
            <numerusform>%n Tests bestanden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n test(s) failed</source>
        <translation>
            <numerusform>%n Test fehlgeschlagen</numerusform>
            <numerusform>%n Tests fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total: %1</source>
        <translation>Gesamt: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Running...</source>
        <translation>Wird ausgeführt …</translation>
    </message>
</context>
<context>
    <name>mako::SSEClient</name>
    <message>
        <location filename="../src/execution/sseclient.cpp" line="+67"/>
        <source>Connected to %1</source>
        <translation>Verbunden mit %1</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Connection closed</source>
        <translation>Verbindung geschlossen</translation>
    </message>
</context>
<context>
    <name>mako::SSEScreen</name>
    <message>
        <location filename="../src/ui/screens/ssescreen.cpp" line="+15"/>
        <source>Filter events</source>
        <translation>Ereignisse filtern</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Server-Sent Events</source>
        <translation>Server-Sent Events</translation>
    </message>
    <message numerus="yes">
        <location line="+26"/>
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n Ereignis</numerusform>
            <numerusform>%n Ereignisse</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::SaveToCollectionSheet</name>
    <message>
        <location filename="../src/ui/editor/savetocollectionsheet.cpp" line="+33"/>
        <location line="+5"/>
        <source>Save to Collection</source>
        <translation>In Sammlung speichern</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+2"/>
        <source>Request Name</source>
        <translation>Name der Anfrage</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Collections</source>
        <translation>Sammlungen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>New Collection Name</source>
        <translation>Name der neuen Sammlung</translation>
    </message>
    <message>
        <location line="+27"/>
        <location line="+50"/>
        <source>New Collection</source>
        <translation>Neue Sammlung</translation>
    </message>
    <message>
        <location line="-46"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>No collections yet.</source>
        <translation>Noch keine Sammlungen.</translation>
    </message>
</context>
<context>
    <name>mako::ScreenHeader</name>
    <message>
        <location filename="../src/ui/screens/screenheader.cpp" line="+50"/>
        <location line="+1"/>
        <source>Request Name</source>
        <translation>Name der Anfrage</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save (%1)</source>
        <translation>Speichern (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save to Collection</source>
        <translation>In Sammlung speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>mako::ScreenStatusBar</name>
    <message>
        <location filename="../src/ui/screens/screenstatusbar.cpp" line="+46"/>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
</context>
<context>
    <name>mako::ScriptEngine</name>
    <message>
        <location filename="../src/scripting/scriptengine.cpp" line="+40"/>
        <source>%1 (line %2)</source>
        <translation>%1 (Zeile %2)</translation>
    </message>
    <message>
        <location line="+123"/>
        <source>Script timed out after %1 s</source>
        <translation>Skript nach %1 s abgebrochen (Zeitüberschreitung)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Pre-request: %1</source>
        <translation>Vorab: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tests: %1</source>
        <translation>Tests: %1</translation>
    </message>
</context>
<context>
    <name>mako::ScriptsEditor</name>
    <message>
        <location filename="../src/ui/editor/scripteditor.cpp" line="+263"/>
        <source>// Runs before the request is sent</source>
        <translation>// Läuft, bevor die Anfrage gesendet wird</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>// Runs after the response arrives, for example:
pm.test(&quot;Status is 200&quot;, () =&gt; {
  pm.response.to.have.status(200);
});</source>
        <translation>// Läuft, wenn die Antwort eingetroffen ist, zum Beispiel:
pm.test(&quot;Status is 200&quot;, () =&gt; {
  pm.response.to.have.status(200);
});</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Pre-request</source>
        <translation>Vorab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
</context>
<context>
    <name>mako::ScriptsSheet</name>
    <message>
        <location filename="../src/ui/sidebar/scriptssheet.cpp" line="+45"/>
        <location line="+1"/>
        <source>Scripts</source>
        <translation>Skripte</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>They run around every request of the folder “%1”: after the collection&apos;s scripts, before the request&apos;s own.</source>
        <translation>Sie laufen um jede Anfrage des Ordners „%1“: nach den Skripten der Sammlung, vor denen der Anfrage.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>They run around every request of the collection “%1”: before the scripts of its folders and requests.</source>
        <translation>Sie laufen um jede Anfrage der Sammlung „%1“: vor den Skripten ihrer Ordner und Anfragen.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Folder Scripts</source>
        <translation>Ordnerskripte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Collection Scripts</source>
        <translation>Sammlungsskripte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pre-request</source>
        <translation>Vorab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
</context>
<context>
    <name>mako::ShortcutsTab</name>
    <message>
        <location filename="../src/ui/preferences/shortcutstab.cpp" line="+141"/>
        <source>Requests</source>
        <translation>Anfragen</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>New Request</source>
        <translation>Neue Anfrage</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Send Request</source>
        <translation>Anfrage senden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save Request</source>
        <translation>Anfrage speichern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate Request</source>
        <translation>Anfrage duplizieren</translation>
    </message>
    <message>
        <location line="-67"/>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <location line="-26"/>
        <source>Restore Defaults</source>
        <translation>Standard wiederherstellen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Choose a command and press Return to give it new keys.</source>
        <translation>Einen Befehl wählen und Eingabe drücken, um ihm neue Tasten zu geben.</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>Import Postman Environment</source>
        <translation>Postman-Umgebung importieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export Collection</source>
        <translation>Sammlung exportieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import Mako Collection</source>
        <translation>Mako-Sammlung importieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import from cURL</source>
        <translation>Aus cURL importieren</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Toggle Sidebar</source>
        <translation>Seitenleiste ein-/ausblenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quick Open</source>
        <translation>Schnell öffnen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cookies</source>
        <translation>Cookies</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Press keys…</source>
        <translation>Tasten drücken …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Press the new keys for “%1”. Escape keeps the current keys, Backspace removes them.</source>
        <translation>Die neuen Tasten für „%1“ drücken. Escape behält die bisherigen Tasten, Rücktaste entfernt sie.</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Hold Ctrl or Alt with the key, or use a function key.</source>
        <translation>Strg oder Alt mit der Taste halten oder eine Funktionstaste verwenden.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Shortcut in Use</source>
        <translation>Tastenkürzel belegt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>“%1” is already used by “%2”. Use it here and remove it there?</source>
        <translation>„%1“ wird bereits von „%2“ verwendet. Hier verwenden und dort entfernen?</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Reassign</source>
        <translation>Neu zuweisen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Choose a command and press Return, or click it, to give it new keys.</source>
        <translation>Einen Befehl wählen und Eingabe drücken oder ihn anklicken, um ihm neue Tasten zu geben.</translation>
    </message>
    <message>
        <location line="-162"/>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <location line="-70"/>
        <source>Import / Export</source>
        <translation>Import / Export</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Import Postman Collection</source>
        <translation>Postman-Sammlung importieren</translation>
    </message>
    <message>
        <location line="-47"/>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Close Tab</source>
        <translation>Tab schließen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
</context>
<context>
    <name>mako::Sidebar</name>
    <message>
        <location filename="../src/ui/sidebar/sidebar.cpp" line="+55"/>
        <source>Sidebar</source>
        <translation>Seitenleiste</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+150"/>
        <source>Collections</source>
        <translation>Sammlungen</translation>
    </message>
    <message>
        <location line="-128"/>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+5"/>
        <source>New Collection</source>
        <translation>Neue Sammlung</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>From Template...</source>
        <translation>Aus Vorlage …</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+1"/>
        <source>New Collection or Template</source>
        <translation>Neue Sammlung oder Vorlage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+3"/>
        <source>New Request</source>
        <translation>Neue Anfrage</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New Request (%1)</source>
        <translation>Neue Anfrage (%1)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Search requests...</source>
        <translation>Anfragen durchsuchen …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Search requests</source>
        <translation>Anfragen durchsuchen</translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+17"/>
        <source>Search Results</source>
        <translation>Suchergebnisse</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>Recent</source>
        <translation>Zuletzt verwendet</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Clear History</source>
        <translation>Verlauf löschen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Export History as HAR...</source>
        <translation>Verlauf als HAR exportieren …</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Export History as HAR</source>
        <translation>Verlauf als HAR exportieren</translation>
    </message>
</context>
<context>
    <name>mako::SidebarActions</name>
    <message>
        <location filename="../src/state/sidebaractions.cpp" line="+53"/>
        <location line="+8"/>
        <source>New Request</source>
        <translation>Neue Anfrage</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 (Copy)</source>
        <translation>%1 (Kopie)</translation>
    </message>
</context>
<context>
    <name>mako::StatusBadge</name>
    <message>
        <location filename="../src/ui/common/statusbadge.cpp" line="+70"/>
        <source>HTTP status code</source>
        <translation>HTTP-Statuscode</translation>
    </message>
</context>
<context>
    <name>mako::StreamScreen</name>
    <message>
        <location filename="../src/ui/screens/streamscreen.cpp" line="+28"/>
        <location line="+125"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
</context>
<context>
    <name>mako::StructuredDocument</name>
    <message>
        <location filename="../src/interchange/structureddocument.cpp" line="+93"/>
        <source>The file is neither JSON nor YAML (%1).</source>
        <translation>Die Datei ist weder JSON noch YAML (%1).</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>too large or too deep</source>
        <translation>zu groß oder zu tief verschachtelt</translation>
    </message>
</context>
<context>
    <name>mako::TabBar</name>
    <message>
        <location filename="../src/ui/shell/tabbar.cpp" line="+61"/>
        <source>New Request</source>
        <translation>Neue Anfrage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next Tab</source>
        <translation>Nächster Tab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Previous Tab</source>
        <translation>Vorheriger Tab</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+120"/>
        <source>Close Tab</source>
        <translation>Tab schließen</translation>
    </message>
    <message>
        <location line="-115"/>
        <source>Open Requests</source>
        <translation>Geöffnete Anfragen</translation>
    </message>
    <message>
        <location line="+101"/>
        <location line="+1"/>
        <source>Unsaved changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Others</source>
        <translation>Andere schließen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close All</source>
        <translation>Alle schließen</translation>
    </message>
</context>
<context>
    <name>mako::TabCloser</name>
    <message>
        <location filename="../src/ui/shell/tabcloser.cpp" line="+104"/>
        <source>Save changes to “%1”?</source>
        <translation>Änderungen an „%1“ speichern?</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Save changes to %n requests?</source>
        <translation>
            <numerusform>Änderungen an %n Anfrage speichern?</numerusform>
            <numerusform>Änderungen an %n Anfragen speichern?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Tab</source>
        <translation>Tab schließen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Close Tabs</source>
        <translation>Tabs schließen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Your changes are lost if you don&apos;t save them.</source>
        <translation>Ihre Änderungen gehen verloren, wenn Sie sie nicht speichern.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Their changes are lost if you don&apos;t save them.</source>
        <translation>Deren Änderungen gehen verloren, wenn Sie sie nicht speichern.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Don&apos;t Save</source>
        <translation>Nicht speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>mako::TabStore</name>
    <message>
        <location filename="../src/state/tabstore.cpp" line="+99"/>
        <source>New Request</source>
        <translation>Neue Anfrage</translation>
    </message>
</context>
<context>
    <name>mako::TemplateSheet</name>
    <message>
        <location filename="../src/ui/sidebar/templatesheet.cpp" line="+27"/>
        <source>HTTP</source>
        <translation>HTTP</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>GraphQL</source>
        <translation>GraphQL</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>WebSocket</source>
        <translation>WebSocket</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Server-Sent Events</source>
        <translation>Server-Sent Events</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+1"/>
        <location line="+34"/>
        <source>New from Template</source>
        <translation>Neu aus Vorlage</translation>
    </message>
    <message>
        <location line="-28"/>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
</context>
<context>
    <name>mako::TestResultsPane</name>
    <message>
        <location filename="../src/ui/response/testresultspane.cpp" line="+65"/>
        <source>Test results</source>
        <translation>Testergebnisse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+6"/>
        <source>Console</source>
        <translation>Konsole</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>No tests. Write them in the request&apos;s Scripts tab, under Tests; their results show here after a send.</source>
        <translation>Keine Tests. Schreiben Sie sie im Tab „Skripte“ der Anfrage unter „Tests“; ihre Ergebnisse erscheinen hier nach dem Senden.</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tests %1/%2</source>
        <translation>Tests %1/%2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Passed</source>
        <translation>Bestanden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>mako::TimingChart</name>
    <message>
        <location filename="../src/ui/response/timingchart.cpp" line="-81"/>
        <source>Response times</source>
        <translation>Antwortzeiten</translation>
    </message>
</context>
<context>
    <name>mako::TimingListModel</name>
    <message>
        <location filename="../src/ui/response/timingpane.cpp" line="+101"/>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Received</source>
        <translation>Empfangen</translation>
    </message>
</context>
<context>
    <name>mako::TimingPane</name>
    <message>
        <location line="+22"/>
        <source>Timing History</source>
        <translation>Zeitverlauf</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Send requests to see timing data</source>
        <translation>Senden Sie Anfragen, um Zeitmessungen zu sehen</translation>
    </message>
</context>
<context>
    <name>mako::TranscriptPane</name>
    <message>
        <location filename="../src/ui/screens/transcriptpane.cpp" line="+43"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location line="+44"/>
        <location line="+60"/>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>mako::UrlBar</name>
    <message>
        <location filename="../src/ui/editor/urlbar.cpp" line="+63"/>
        <source>URL as sent</source>
        <translation>URL wie gesendet</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cookies sent</source>
        <translation>Gesendete Cookies</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Method</source>
        <translation>Methode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens the list of HTTP methods to choose from</source>
        <translation>Öffnet die Liste der HTTP-Methoden zur Auswahl</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Custom...</source>
        <translation>Eigene …</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel the request</source>
        <translation>Anfrage abbrechen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Send the request</source>
        <translation>Anfrage senden</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Cookies: %1</source>
        <translation>Cookies: %1</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Cookies: %n</source>
        <translation>
            <numerusform>Cookies: %n</numerusform>
            <numerusform>Cookies: %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::UrlField</name>
    <message>
        <location filename="../src/ui/editor/urlfield.cpp" line="+41"/>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Variables</source>
        <translation>Variablen</translation>
    </message>
</context>
<context>
    <name>mako::VariablesModel</name>
    <message>
        <location filename="../src/state/variablesmodel.cpp" line="+150"/>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Secret</source>
        <translation>Geheim</translation>
    </message>
</context>
<context>
    <name>mako::WebSocketClient</name>
    <message>
        <location filename="../src/execution/websocketclient.cpp" line="+115"/>
        <source>Connected to %1</source>
        <translation>Verbunden mit %1</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Connection closed: %1</source>
        <translation>Verbindung geschlossen: %1</translation>
    </message>
</context>
<context>
    <name>mako::WebSocketConnection</name>
    <message>
        <location filename="../src/execution/websocketconnection.cpp" line="+105"/>
        <source>The opening handshake timed out</source>
        <translation>Zeitüberschreitung beim Verbindungsaufbau (Handshake)</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The connection is not open</source>
        <translation>Die Verbindung ist nicht offen</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>The message could not be sent</source>
        <translation>Die Nachricht konnte nicht gesendet werden</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Closed by the client with code %1</source>
        <translation>Vom Client mit Code %1 geschlossen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Closed by the server with code %1</source>
        <translation>Vom Server mit Code %1 geschlossen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Closed by the server with code %1: %2</source>
        <translation>Vom Server mit Code %1 geschlossen: %2</translation>
    </message>
</context>
<context>
    <name>mako::WebSocketScreen</name>
    <message>
        <location filename="../src/ui/screens/websocketscreen.cpp" line="+27"/>
        <source>Filter messages</source>
        <translation>Nachrichten filtern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>WebSocket</source>
        <translation>WebSocket</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saved Messages</source>
        <translation>Gespeicherte Nachrichten</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Send message...</source>
        <translation>Nachricht senden …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Not sent: not connected</source>
        <translation>Nicht gesendet: keine Verbindung</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Forget Saved Messages</source>
        <translation>Gespeicherte Nachrichten vergessen</translation>
    </message>
    <message numerus="yes">
        <location line="-58"/>
        <source>%n message(s)</source>
        <translation>
            <numerusform>%n Nachricht</numerusform>
            <numerusform>%n Nachrichten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::WebSocketTranscriptModel</name>
    <message>
        <location filename="../src/ui/screens/websockettranscriptmodel.cpp" line="+45"/>
        <source>Sent: %1</source>
        <translation>Gesendet: %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Received: %1</source>
        <translation>Empfangen: %1</translation>
    </message>
</context>
<context>
    <name>mako::WelcomeView</name>
    <message>
        <location filename="../src/ui/shell/welcomeview.cpp" line="+59"/>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Mako</source>
        <translation>Mako</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The native API client for your desktop</source>
        <translation>Der native API-Client für Ihren Desktop</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>HTTP</source>
        <translation>HTTP</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>GraphQL</source>
        <translation>GraphQL</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>GraphQL Query</source>
        <translation>GraphQL-Abfrage</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>WebSocket</source>
        <translation>WebSocket</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SSE</source>
        <translation>SSE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SSE Stream</source>
        <translation>SSE-Stream</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste cURL</source>
        <translation>cURL einfügen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1 to send</source>
        <translation>%1 zum Senden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 to find a saved request</source>
        <translation>%1 zum Finden einer gespeicherten Anfrage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 to save to a collection</source>
        <translation>%1 zum Speichern in einer Sammlung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 to show or hide the sidebar</source>
        <translation>%1 zum Ein- oder Ausblenden der Seitenleiste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write {{name}} to fill in a variable of the environment</source>
        <translation>Schreiben Sie {{name}}, um eine Variable der Umgebung einzusetzen</translation>
    </message>
</context>
</TS>
