<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ClearButton</name>
    <message>
        <location filename="../src/ui/common/clearbutton.cpp" line="+16"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Duration</name>
    <message>
        <location filename="../src/ui/common/metricpill.cpp" line="+33"/>
        <source>%1ms</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <location filename="../src/ui/common/filedialogs.cpp" line="+16"/>
        <source>JSON files (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/ui/preferences/editortab.cpp" line="+32"/>
        <source>Font Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <location filename="../src/ui/preferences/generaltab.cpp" line="+41"/>
        <source>%1px</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/preferences/generaltab.cpp" line="-11"/>
        <source>Sidebar Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/screens/screenheader.cpp" line="+34"/>
        <source>GraphQL endpoint URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ws://localhost:8080/socket or wss://example.com/socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SSE endpoint URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Enter URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/shell/makoapp.cpp" line="+127"/>
        <source>Mako</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RelativeTime</name>
    <message>
        <location filename="../src/ui/common/badges.cpp" line="+48"/>
        <source>just now</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n min. ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n hr. ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>yesterday</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n days ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VariableSpan</name>
    <message>
        <location filename="../src/ui/editor/variablespans.cpp" line="+51"/>
        <source>%1 is a dynamic variable: a new value on each send, such as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 = %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is not defined in the active environment or globals</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::AlertPresenter</name>
    <message numerus="yes">
        <location filename="../src/ui/shell/alertpresenter.cpp" line="+21"/>
        <source>%n other script(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n request(s) with unsupported method(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n authorisation setting(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n file(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n disabled row(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n form field content type(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n other part(s) of the document</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>%n request(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%1 in %n folder(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Imported “%1”: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Left out: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Changed on Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>“%1” changed on disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Its tab holds edits that are not saved. Keep them, or take the version in the file instead?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keep My Edits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use the File&apos;s Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <location line="+2"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Import Finished</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::AppState</name>
    <message>
        <location filename="../src/state/appstate.cpp" line="+130"/>
        <source>Failed to save data: %1: %2. The changes stay in memory and are written again at the next change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+63"/>
        <source>Failed to load data: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/state/appstateimport.cpp" line="+33"/>
        <source>&quot;%1&quot; could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&quot;%1&quot; does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+73"/>
        <source>%n secret value(s) left out: %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Failed to import %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Failed to import collection: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <location line="+17"/>
        <location line="+15"/>
        <location line="+20"/>
        <location line="+21"/>
        <location line="+2"/>
        <source>Export failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-37"/>
        <source>Exported without the requests a Postman collection cannot hold: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Import failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Import failed: %1 could not be written; the imported data is shown but not stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/state/appstateoperations.cpp" line="+319"/>
        <source>%1 (Copy)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::AuthEditor</name>
    <message>
        <location filename="../src/ui/editor/autheditor.cpp" line="+33"/>
        <source>No authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enter bearer token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Credentials</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Base64-encoded as Authorization header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>API Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enter API key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sent as X-API-Key header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Answers the server&apos;s Digest challenge (MD5 or SHA-256); the password itself is never sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Answers the server&apos;s NTLM challenge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Kerberos (SPNEGO) with the system&apos;s tickets; username and password may stay empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Signs the request with AWS Signature Version 4; without a region and service they are read from the host name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+14"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+167"/>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-166"/>
        <location line="+167"/>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-165"/>
        <source>Domain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+6"/>
        <source>Optional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <source>Region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Session Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Inherit from collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Not in a collection: the request goes without auth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The collection “%1” has no auth: the request goes without</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uses the collection&apos;s %1, from “%2”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+101"/>
        <source>Access Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Secret Key</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::BodyEditor</name>
    <message>
        <location filename="../src/ui/editor/bodyeditor.cpp" line="+113"/>
        <source>No body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+125"/>
        <source>Form Fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The body is sent as these fields; they are the Params tab&apos;s rows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Indent the JSON and sort its keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Body</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::BodyPane</name>
    <message>
        <location filename="../src/ui/response/bodypane.cpp" line="+48"/>
        <source>Working...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+1"/>
        <source>Find in body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <location line="+13"/>
        <source>Finding...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-10"/>
        <source>No matches</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::BodyView</name>
    <message>
        <location filename="../src/ui/response/bodyview.cpp" line="+125"/>
        <source>Response body</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CertificateSheet</name>
    <message>
        <location filename="../src/ui/preferences/certificatesheet.cpp" line="+36"/>
        <location line="+26"/>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+92"/>
        <source>Certificate file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-91"/>
        <source>Key file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+30"/>
        <source>Passphrase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+31"/>
        <source>CA bundle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-28"/>
        <source>Add Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Edit Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>api.example.com or *.corp.example:8443</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Certificate type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PEM certificate and key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PKCS #12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>In the certificate file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>System certificates only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Choose Client Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Choose Private Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Choose CA Bundle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The CA bundle is trusted in addition to the system&apos;s certificates.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Choose...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+1"/>
        <source>PKCS #12 file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CertificatesTab</name>
    <message>
        <location filename="../src/ui/preferences/certificatestab.cpp" line="+33"/>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 (PKCS #12)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Client certificates and certificate authorities for the hosts you name. A request uses the first entry whose host matches.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CA bundle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Certificates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No keyring is available: passphrases are kept until Mako quits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CodeGeneratorView</name>
    <message>
        <location filename="../src/ui/editor/codegeneratorview.cpp" line="+42"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copy the code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Generated code</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CollectionAuthSheet</name>
    <message>
        <location filename="../src/ui/sidebar/collectionauthsheet.cpp" line="+45"/>
        <location line="+1"/>
        <location line="+39"/>
        <source>Collection Auth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-33"/>
        <source>The requests of “%1” whose auth is “Inherit from collection” go with this one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CollectionCommands</name>
    <message>
        <location filename="../src/ui/sidebar/collectioncommands.cpp" line="+70"/>
        <location line="+34"/>
        <source>New Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-32"/>
        <location line="+1"/>
        <source>New Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Run Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export as k6 Script...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Export as Postman Collection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save Collection to Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+22"/>
        <source>Scripts...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-20"/>
        <source>Auth...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+15"/>
        <location line="+42"/>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-55"/>
        <source>Duplicate Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Delete Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Move to Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>(Root)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Copy to Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+64"/>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-31"/>
        <source>Remove the collection &quot;%1&quot; from Mako?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Its folder %1 and the files in it stay as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete the collection &quot;%1&quot; and its requests?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete the folder &quot;%1&quot;? Its requests stay in the collection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete the request &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Delete?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Save Collection to Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Export Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Export as k6 Script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Export as Postman Collection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CollectionExporter</name>
    <message>
        <location filename="../src/interchange/collectionexporter.cpp" line="+107"/>
        <location line="+13"/>
        <source>The file is not a Mako backup.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CollectionPickerSheet</name>
    <message>
        <location filename="../src/ui/shell/collectionpickersheet.cpp" line="+23"/>
        <location line="+1"/>
        <location line="+27"/>
        <source>Export Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Collection:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CollectionTreeModel</name>
    <message>
        <location filename="../src/ui/sidebar/collectiontreemodel.cpp" line="+118"/>
        <source>%1 (in the folder %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%1, in a folder, %n request(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%1, %n request(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::CommandPalette</name>
    <message>
        <location filename="../src/ui/shell/commandpalette.cpp" line="+97"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No matching requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Command Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Search requests...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Search requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Matches</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CookieEditorSheet</name>
    <message>
        <location filename="../src/ui/shell/cookiessheet.cpp" line="+268"/>
        <source>Also send to subdomains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Session cookie (not kept between launches)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Secure (HTTPS only)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>HttpOnly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Edit Cookie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Add Cookie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+36"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-35"/>
        <location line="+36"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-35"/>
        <location line="+36"/>
        <source>Domain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+36"/>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+36"/>
        <source>Expires</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>The name cannot hold control characters, &quot;=&quot; or &quot;;&quot;, and the value no control characters.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CookiesSheet</name>
    <message>
        <location line="-295"/>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+32"/>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+37"/>
        <source>Clear Domain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-36"/>
        <location line="+40"/>
        <source>Clear All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-37"/>
        <location line="+1"/>
        <location line="+51"/>
        <source>Cookies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-45"/>
        <source>Cookies by domain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Expires</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Flags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Delete the cookie &quot;%1&quot; of %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Delete every cookie of %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete every cookie?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Delete?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CurlImport</name>
    <message>
        <location filename="../src/interchange/curldata.cpp" line="+57"/>
        <source>%1 reads standard input, which is not read here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 reads the file %2, and an import reads no files: put the file&apos;s contents into the command instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+5"/>
        <source>Cannot read the file %1 for %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 gives bytes that are not UTF-8 text, which a request cannot hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/interchange/curloptions.cpp" line="+179"/>
        <source>%1 gives no &quot;=&quot;: curl refuses it too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 has no field name, which a request cannot send.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 uploads a file, which a request cannot hold; the field is left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 sets the part&apos;s type, file name or headers, which a request cannot hold; they are left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+56"/>
        <source>--cookie %1 reads cookies from a file, which a request cannot hold; they are left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1 uploads a file, which a request cannot hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 reads more options from a file, which are left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 changes the request line, which a request cannot hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 makes the request conditional, which is left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <location line="+3"/>
        <source>%1 takes credentials from a .netrc file, which are left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/interchange/curlparser.cpp" line="+59"/>
        <source>The method %1 cannot be sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>-H &apos;%1:&apos; leaves out a header that a request always sends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 authentication cannot be held by a request; the --user credentials are left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>--user %1 gives no password, which curl would ask for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Data (-d) and form fields (-F) cannot go in one request; curl refuses the command too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A HEAD request (-I) cannot carry a body; curl refuses the command too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A HEAD request carries no body; the data is left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Only the first URL is imported; curl would also send %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>The certificate options are left out: the URL names no host to keep them for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>--cert-type %1 is not one Mako reads; the certificate is taken as PEM.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CurlImportSheet</name>
    <message>
        <location filename="../src/ui/editor/curlimportsheet.cpp" line="+36"/>
        <source>The cURL command was imported; some of it was left out or changed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The certificate options were added to Preferences → Certificates, for %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+1"/>
        <location line="+5"/>
        <source>Import from cURL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste a cURL command below:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>cURL command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::CustomMethodSheet</name>
    <message>
        <location filename="../src/ui/editor/custommethodsheet.cpp" line="+24"/>
        <source>Custom Method</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Method name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Method</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Type the method&apos;s name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&quot;%1&quot; cannot be a method: use letters, digits and ! # $ % &amp; &apos; * + - . ^ _ ` | ~ only, without spaces.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::DataTab</name>
    <message>
        <location filename="../src/ui/preferences/datatab.cpp" line="+62"/>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Max History Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Storage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Data Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Calculating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Storage Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export creates a single JSON file with all collections, environments, global variables, and history.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Open in File Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Clear History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Export All Data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export All Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import Data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select a Mako backup file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <location line="+1"/>
        <source>Clear History?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This will permanently delete all request history.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::EditorTab</name>
    <message>
        <location filename="../src/ui/preferences/editortab.cpp" line="+28"/>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Font Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>2 spaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>4 spaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tab Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show line numbers in response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Word wrap long lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Syntax highlighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Formatting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auto-format JSON on paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Preview</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-36"/>
        <source>Global Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Add Environment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Environment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <location line="+5"/>
        <source>Kept in:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+53"/>
        <source>No secret service is available: secret values are kept only until Mako quits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>This Computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 (folder)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>New Environment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-131"/>
        <source>Select an environment to edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-145"/>
        <source>Secret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+154"/>
        <location line="+11"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-119"/>
        <source>Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+132"/>
        <source>Global variables are available in all environments. Local environment variables override globals with the same key.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::EnvironmentSelector</name>
    <message>
        <location filename="../src/ui/shell/environmentselector.cpp" line="+29"/>
        <source>No Environment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Environment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The environment whose variables fill in the placeholders of the requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Manage Environments &amp; Global Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Manage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Opens the editor of the environments and the global variables</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::FileCommands</name>
    <message>
        <location filename="../src/ui/shell/filecommands.cpp" line="+24"/>
        <source>Import Postman Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Import Postman Environment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Import Mako Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Open Folder as Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Export Collection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::FileImporter</name>
    <message>
        <location filename="../src/interchange/fileimporter.cpp" line="+50"/>
        <source>Postman collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>OpenAPI document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>HAR capture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Insomnia export</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::FolderCollection</name>
    <message>
        <location filename="../src/interchange/foldercollectiondecode.cpp" line="+33"/>
        <source>line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>expected an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+248"/>
        <source>&quot;requests&quot; is not a list of file names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+75"/>
        <source>There is no collection.json in the folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>its order of folders, requests or environments is not a list of names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/interchange/foldercollectionfiles.cpp" line="+69"/>
        <source>Cannot create the folder of %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 is not a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Cannot create the folder %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not a file name of a collection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Cannot remove %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::FolderCollections</name>
    <message>
        <location filename="../src/state/foldercollections.cpp" line="+184"/>
        <source>Failed to save data: %1: %2. The changes stay in memory and are written again at the next change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+91"/>
        <source>The collection “%1” could not be read from %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+79"/>
        <source>%n file(s) of “%1” could not be read: %2</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+71"/>
        <source>This folder holds no collection.json.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The folder %1 could not be opened as a collection: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>%1 is not empty and holds no copy of this collection. Choose an empty folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Failed to save data: %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::GeneralTab</name>
    <message>
        <location filename="../src/ui/preferences/generaltab.cpp" line="+25"/>
        <source>Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Dark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Purple</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Indigo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Teal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Orange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Accent Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Behavior</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sidebar Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show method badges in sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Confirm before deleting items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reopen last request on launch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::GraphQLScreen</name>
    <message>
        <location filename="../src/ui/screens/graphqlscreen.cpp" line="+60"/>
        <source>GraphQL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Schema</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Operation name (optional)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Query</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Variables (JSON)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>Scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Shows or hides the request&apos;s pre-request and test scripts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::HarImporter</name>
    <message>
        <location filename="../src/interchange/harimporter.cpp" line="+76"/>
        <source>file field &quot;%1&quot; left without its file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The file is not a HAR capture (&quot;log.entries&quot; is missing).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HAR Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>skipped, the method %1 cannot be sent</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::HeadersAuthSection</name>
    <message>
        <location filename="../src/ui/screens/headersauthsection.cpp" line="+55"/>
        <location line="+1"/>
        <source>Headers and Auth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Shows or hides the request&apos;s headers and authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Headers</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+89"/>
        <source>%n header(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::HistoryListModel</name>
    <message>
        <location filename="../src/ui/sidebar/historylistmodel.cpp" line="+68"/>
        <source>%1 %2, %3, status %4, %5</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::HistoryView</name>
    <message>
        <location filename="../src/ui/sidebar/historyview.cpp" line="+33"/>
        <source>Search history...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Search history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No history yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No matching requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Rerun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save to Collection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::InsomniaImporter</name>
    <message>
        <location filename="../src/interchange/insomniaimporter.cpp" line="+124"/>
        <source>file field &quot;%1&quot; left without its file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>disabled form field &quot;%1&quot; left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>binary file body left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>API key in a cookie left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>OAuth 2.0 grant &quot;%1&quot; left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>OAuth 2.0 client secret and password left out, to be entered again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 authorisation left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>skipped, the method %1 cannot be sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>disabled query parameter &quot;%1&quot; left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>template tag kept as written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The file is not an Insomnia export (&quot;_type&quot;: &quot;export&quot; or &quot;type&quot;: &quot;collection.insomnia.rest/5.0&quot; is missing).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Insomnia export format %1 is not supported (4 and 5 are).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Insomnia Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>skipped, gRPC requests cannot be sent</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::IterationData</name>
    <message>
        <location filename="../src/interchange/iterationdata.cpp" line="+45"/>
        <source>not valid JSON at offset %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>JSON iteration data must be an array of objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>item %1 of the array is not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>line %1: text after a closing quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>line %1: a quoted field is never closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>the CSV file has no header row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>record %1 has %2 fields, the header has %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>the iteration data holds no rows</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::KeyValueEditor</name>
    <message>
        <location filename="../src/ui/editor/keyvalueeditor.cpp" line="+78"/>
        <location line="+82"/>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-82"/>
        <location line="+83"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Hide Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Show Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::KeyValueModel</name>
    <message>
        <location filename="../src/ui/editor/keyvaluemodel.cpp" line="+54"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="-171"/>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="+4"/>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="+1"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/ui/shell/environmenteditorsheet.cpp" line="-5"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::MainMenu</name>
    <message>
        <location filename="../src/ui/shell/mainmenu.cpp" line="+63"/>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>New Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import Postman Collection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import Postman Environment...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Export Collection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Import Mako Collection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open Folder as Collection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import from cURL...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save to Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Duplicate Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Close Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Toggle Sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quick Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cookies...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Mako Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>♥ Support Mako</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::MainWindow</name>
    <message>
        <location filename="../src/ui/shell/mainwindow.cpp" line="+60"/>
        <source>Mako</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+202"/>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Toggle Sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Shows or hides the sidebar with the collections and the history</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::NetworkError</name>
    <message>
        <location filename="../src/execution/networkerror.cpp" line="+12"/>
        <source>Please enter a URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invalid URL: %1 is not defined in the active environment or the global variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid URL: %1 are not defined in the active environment or the global variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invalid URL: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Server returned an invalid response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Request timed out — the server didn&apos;t respond in time. Try increasing the timeout in Preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No internet connection. Mako works fully offline for saved data, but needs a connection to send requests.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cannot find host — check the URL is correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SSL connection failed. If using a self-signed certificate, disable SSL verification in Preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Server certificate is not trusted. Disable SSL verification in Preferences for self-signed certs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server requires a client certificate. Add one for this host in Preferences → Certificates.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server did not accept the client certificate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server closed the secure connection without replying. It may require a client certificate: add one for this host in Preferences → Certificates.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server closed the secure connection without replying. It may not accept the client certificate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Certificate file not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The client certificate could not be opened — check its passphrase.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The client certificate could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Request was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Network error: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::NetworkTab</name>
    <message>
        <location filename="../src/ui/preferences/networktab.cpp" line="+52"/>
        <source>Only disable for local development with self-signed certificates.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Timeouts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>Request Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+4"/>
        <source>seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+3"/>
        <source>Script Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Redirects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Follow redirects automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+2"/>
        <source>Max Redirects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SSL / TLS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verify SSL certificates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cookies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep cookies between launches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>User-Agent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>HTTP/1.1 only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>HTTP/2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>HTTP Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Auto uses HTTP/2 over TLS where the server offers it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::NewCollectionSheet</name>
    <message>
        <location filename="../src/ui/sidebar/namesheets.cpp" line="+75"/>
        <source>New Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Collection Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::OAuth2Pane</name>
    <message>
        <location filename="../src/ui/editor/oauth2pane.cpp" line="+42"/>
        <source>No expiry given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Expired</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>Expires in %n min</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Expires in %n h</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Forget Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+305"/>
        <source>Get New Access Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-304"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+5"/>
        <source>Grant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Authorization Code (PKCE)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client Credentials</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+24"/>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Auth URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Token URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Client ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client Secret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kept in the secret store, never in a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>Optional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Audience</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Extra Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+4"/>
        <source>Client Authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Basic header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>In the body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Redirect Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Any free port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Copy Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel Getting Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+205"/>
        <source>No token yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Scope: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Getting Token...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::OAuth2Tokens</name>
    <message>
        <location filename="../src/state/oauth2tokens.cpp" line="+75"/>
        <location line="+306"/>
        <source>OAuth 2.0: %1 — %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-304"/>
        <location line="+219"/>
        <location line="+84"/>
        <source>OAuth 2.0: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-301"/>
        <source>OAuth 2.0: the token endpoint&apos;s answer holds no access token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OAuth 2.0: the token endpoint answered with status %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+170"/>
        <source>OAuth 2.0: the token URL “%1” is not an http or https address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>OAuth 2.0: the authorization URL “%1” is not an http or https address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OAuth 2.0: there is no browser to open the authorization page in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OAuth 2.0: a newer authorization replaced this one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>OAuth 2.0: cannot listen on port %1 for the browser&apos;s return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Mako has the authorization. You can close this page and return to Mako.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <source>OAuth 2.0: the authorization answer was refused: its state does not match the one sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OAuth 2.0: the authorization answer holds no code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+90"/>
        <source>OAuth 2.0: the access token has expired; get a new one with “Get New Access Token”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OAuth 2.0: there is no access token yet; get one with “Get New Access Token”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>OAuth 2.0: cancelled before the browser returned</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::OpenAPIImporter</name>
    <message>
        <location filename="../src/interchange/openapiimporter.cpp" line="+294"/>
        <source>cookie parameter &quot;%1&quot; left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+56"/>
        <source>optional form field &quot;%1&quot; left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>file field &quot;%1&quot; left without a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+64"/>
        <source>security scheme &quot;%1&quot; (%2) left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>API key in a cookie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>OAuth 2.0 implicit flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>undefined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>optional query parameter &quot;%1&quot; left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>callbacks left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>servers of its own left out, it uses {{baseUrl}}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>server &quot;%1&quot; left out, baseUrl is the first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Imported API</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 webhooks left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+61"/>
        <source>The file is not an OpenAPI or Swagger document (&quot;openapi&quot; or &quot;swagger&quot; is missing).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OpenAPI %1 is not supported (3.0, 3.1 and Swagger 2.0 are).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::PersistenceService</name>
    <message>
        <location filename="../src/state/persistenceservice.cpp" line="+133"/>
        <source>%1 (%2; it could not be copied aside: %3, so Mako will not save over it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 (%2; the unreadable file was kept as %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::PhaseWaterfall</name>
    <message>
        <location filename="../src/ui/response/timingchart.cpp" line="+87"/>
        <source>Timing phases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Redirects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>DNS lookup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>TLS handshake</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Transfer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Phases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Phases (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::PostmanImporter</name>
    <message>
        <location filename="../src/interchange/postmanimporter.cpp" line="+90"/>
        <source>%1 script dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+136"/>
        <source>%1 authorisation dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+125"/>
        <source>disabled query parameter &quot;%1&quot; dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>disabled form field &quot;%1&quot; dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>file field &quot;%1&quot; dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>content type &quot;%1&quot; of form field &quot;%2&quot; dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>binary file body dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>skipped, the method %1 cannot be sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>%1 (folder)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The file is not a Postman collection (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The file is not a Postman environment (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&quot;%1&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 (collection)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>a value has no &quot;key&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::PreferencesWindow</name>
    <message>
        <location filename="../src/ui/preferences/preferenceswindow.cpp" line="+45"/>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Proxy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Certificates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ProtocolPicker</name>
    <message>
        <location filename="../src/ui/shell/protocolpicker.cpp" line="+41"/>
        <source>Protocol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Chooses the protocol of the open request; the arrow keys choose another</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Use %1 for the open request</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ProxyTab</name>
    <message>
        <location filename="../src/ui/preferences/proxytab.cpp" line="+54"/>
        <source>HTTP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>HTTPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SOCKS5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Configure a proxy to route requests through a proxy server. Useful for debugging with tools like Charles or mitmproxy.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Proxy Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enable proxy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Use system proxy (http_proxy, https_proxy, no_proxy)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+17"/>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Proxy requires authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No secret store is running: the password is kept for this run only.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::RecordJson</name>
    <message>
        <location filename="../src/model/recordjson.cpp" line="+112"/>
        <source>invalid value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>expected an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>missing key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>must not be null</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+51"/>
        <source>expected a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-42"/>
        <source>expected a boolean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>expected a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>expected an integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>expected a UUID string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is not a UUID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>unknown value &quot;%1&quot; (expected one of: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>expected an array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>&quot;%1&quot; is not a method name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&quot;%1&quot; is not an OAuth 2.0 grant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+88"/>
        <source>expected a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+253"/>
        <source>invalid JSON at offset %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::RenameSheet</name>
    <message>
        <location filename="../src/ui/sidebar/namesheets.cpp" line="-20"/>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::RequestDetailTabs</name>
    <message>
        <location filename="../src/ui/editor/requestdetailtabs.cpp" line="+96"/>
        <source>Query Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+45"/>
        <source>Headers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Params</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Auth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The request has a script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+61"/>
        <source>The body is Form Data: these rows are sent as its fields, not in the URL.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::RequestStatusBar</name>
    <message>
        <location filename="../src/ui/editor/requeststatusbar.cpp" line="+31"/>
        <source>No enabled variable of the active environment or the globals defines these placeholders.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+71"/>
        <source>%n undefined variable(s), sent as typed: %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+21"/>
        <source>From History (unsaved)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Unsaved</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+13"/>
        <source>%n header(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::RequestView</name>
    <message>
        <location filename="../src/ui/editor/requestview.cpp" line="+35"/>
        <source>Response</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ResizeDivider</name>
    <message>
        <location filename="../src/ui/editor/resizedivider.cpp" line="+18"/>
        <source>Resize response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Drag it, or press Up or Down, to share the height between request and response</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ResponseView</name>
    <message>
        <location filename="../src/ui/response/responseview.cpp" line="+59"/>
        <source>Sending...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Request cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>HTTP status code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Time the request took</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Size of the response body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>HTTP version the response came over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Copy response body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save Response...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+40"/>
        <source>Headers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-40"/>
        <location line="+41"/>
        <source>Cookies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-40"/>
        <source>Timing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+1"/>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Raw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Domain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Expires</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Flags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No cookies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Manage Cookies...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Manage Cookies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+130"/>
        <source>Session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Save Response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Could not save the response to “%1”: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::RunResultModel</name>
    <message>
        <location filename="../src/ui/sidebar/runresultmodel.cpp" line="+57"/>
        <source>%1 %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <source>passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="-39"/>
        <source>%1/%n test(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%1 %2: %3, %4 of %n test(s) passed</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-10"/>
        <location line="+103"/>
        <source>Run All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-100"/>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+24"/>
        <source>Click &apos;Run All&apos; to execute %n request(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <source>%1 passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%n test(s) passed</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n test(s) failed</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Running...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::SSEClient</name>
    <message>
        <location filename="../src/execution/sseclient.cpp" line="+67"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Connection closed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::SSEScreen</name>
    <message>
        <location filename="../src/ui/screens/ssescreen.cpp" line="+15"/>
        <source>Filter events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Server-Sent Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+26"/>
        <source>%n event(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::SaveToCollectionSheet</name>
    <message>
        <location filename="../src/ui/editor/savetocollectionsheet.cpp" line="+33"/>
        <location line="+5"/>
        <source>Save to Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+2"/>
        <source>Request Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Collections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>New Collection Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <location line="+50"/>
        <source>New Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-46"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>No collections yet.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ScreenHeader</name>
    <message>
        <location filename="../src/ui/screens/screenheader.cpp" line="+50"/>
        <location line="+1"/>
        <source>Request Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save to Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ScreenStatusBar</name>
    <message>
        <location filename="../src/ui/screens/screenstatusbar.cpp" line="+46"/>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ScriptEngine</name>
    <message>
        <location filename="../src/scripting/scriptengine.cpp" line="+40"/>
        <source>%1 (line %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+123"/>
        <source>Script timed out after %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Pre-request: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tests: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ScriptsEditor</name>
    <message>
        <location filename="../src/ui/editor/scripteditor.cpp" line="+263"/>
        <source>// Runs before the request is sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>// Runs after the response arrives, for example:
pm.test(&quot;Status is 200&quot;, () =&gt; {
  pm.response.to.have.status(200);
});</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Pre-request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tests</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ScriptsSheet</name>
    <message>
        <location filename="../src/ui/sidebar/scriptssheet.cpp" line="+45"/>
        <location line="+1"/>
        <source>Scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>They run around every request of the folder “%1”: after the collection&apos;s scripts, before the request&apos;s own.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>They run around every request of the collection “%1”: before the scripts of its folders and requests.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Folder Scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Collection Scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pre-request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tests</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::ShortcutsTab</name>
    <message>
        <location filename="../src/ui/preferences/shortcutstab.cpp" line="+141"/>
        <source>Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>New Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Send Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-67"/>
        <source>Navigation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-26"/>
        <source>Restore Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Choose a command and press Return to give it new keys.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+75"/>
        <source>Import Postman Environment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import Mako Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import from cURL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Toggle Sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quick Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cookies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Press keys…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Press the new keys for “%1”. Escape keeps the current keys, Backspace removes them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Hold Ctrl or Alt with the key, or use a function key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Shortcut in Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>“%1” is already used by “%2”. Use it here and remove it there?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Reassign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Choose a command and press Return, or click it, to give it new keys.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-162"/>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-70"/>
        <source>Import / Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Import Postman Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-47"/>
        <source>App</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+75"/>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Close Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close Window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::Sidebar</name>
    <message>
        <location filename="../src/ui/sidebar/sidebar.cpp" line="+55"/>
        <source>Sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+150"/>
        <source>Collections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-128"/>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+5"/>
        <source>New Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>From Template...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+1"/>
        <source>New Collection or Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+3"/>
        <source>New Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New Request (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Search requests...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Search requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+17"/>
        <source>Search Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Clear History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Export History as HAR...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Export History as HAR</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::SidebarActions</name>
    <message>
        <location filename="../src/state/sidebaractions.cpp" line="+53"/>
        <location line="+8"/>
        <source>New Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 (Copy)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::StatusBadge</name>
    <message>
        <location filename="../src/ui/common/statusbadge.cpp" line="+70"/>
        <source>HTTP status code</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::StreamScreen</name>
    <message>
        <location filename="../src/ui/screens/streamscreen.cpp" line="+28"/>
        <location line="+125"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::StructuredDocument</name>
    <message>
        <location filename="../src/interchange/structureddocument.cpp" line="+93"/>
        <source>The file is neither JSON nor YAML (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>too large or too deep</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TabBar</name>
    <message>
        <location filename="../src/ui/shell/tabbar.cpp" line="+61"/>
        <source>New Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Previous Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+120"/>
        <source>Close Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-115"/>
        <source>Open Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+101"/>
        <location line="+1"/>
        <source>Unsaved changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+95"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Others</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TabCloser</name>
    <message>
        <location filename="../src/ui/shell/tabcloser.cpp" line="+104"/>
        <source>Save changes to “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Save changes to %n requests?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Close Tabs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Your changes are lost if you don&apos;t save them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Their changes are lost if you don&apos;t save them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Don&apos;t Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TabStore</name>
    <message>
        <location filename="../src/state/tabstore.cpp" line="+99"/>
        <source>New Request</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TemplateSheet</name>
    <message>
        <location filename="../src/ui/sidebar/templatesheet.cpp" line="+27"/>
        <source>HTTP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>GraphQL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>WebSocket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Server-Sent Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+1"/>
        <location line="+34"/>
        <source>New from Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-28"/>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TestResultsPane</name>
    <message>
        <location filename="../src/ui/response/testresultspane.cpp" line="+65"/>
        <source>Test results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+6"/>
        <source>Console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>No tests. Write them in the request&apos;s Scripts tab, under Tests; their results show here after a send.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Tests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tests %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TimingChart</name>
    <message>
        <location filename="../src/ui/response/timingchart.cpp" line="-81"/>
        <source>Response times</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TimingListModel</name>
    <message>
        <location filename="../src/ui/response/timingpane.cpp" line="+101"/>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Received</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TimingPane</name>
    <message>
        <location line="+22"/>
        <source>Timing History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Send requests to see timing data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::TranscriptPane</name>
    <message>
        <location filename="../src/ui/screens/transcriptpane.cpp" line="+43"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <location line="+60"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::UrlBar</name>
    <message>
        <location filename="../src/ui/editor/urlbar.cpp" line="+63"/>
        <source>URL as sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cookies sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Method</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens the list of HTTP methods to choose from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Custom...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel the request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Send the request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Cookies: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Cookies: %n</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::UrlField</name>
    <message>
        <location filename="../src/ui/editor/urlfield.cpp" line="+41"/>
        <source>URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Variables</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::VariablesModel</name>
    <message>
        <location filename="../src/state/variablesmodel.cpp" line="+150"/>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Secret</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::WebSocketClient</name>
    <message>
        <location filename="../src/execution/websocketclient.cpp" line="+115"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Connection closed: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::WebSocketConnection</name>
    <message>
        <location filename="../src/execution/websocketconnection.cpp" line="+105"/>
        <source>The opening handshake timed out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The connection is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+77"/>
        <source>The message could not be sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Closed by the client with code %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Closed by the server with code %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Closed by the server with code %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::WebSocketScreen</name>
    <message>
        <location filename="../src/ui/screens/websocketscreen.cpp" line="+27"/>
        <source>Filter messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>WebSocket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saved Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Send message...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Not sent: not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Forget Saved Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="-58"/>
        <source>%n message(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>mako::WebSocketTranscriptModel</name>
    <message>
        <location filename="../src/ui/screens/websockettranscriptmodel.cpp" line="+45"/>
        <source>Sent: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Received: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mako::WelcomeView</name>
    <message>
        <location filename="../src/ui/shell/welcomeview.cpp" line="+59"/>
        <source>Welcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Mako</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The native API client for your desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>HTTP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>GraphQL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>GraphQL Query</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>WebSocket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SSE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SSE Stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste cURL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1 to send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 to find a saved request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 to save to a collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 to show or hide the sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write {{name}} to fill in a variable of the environment</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
