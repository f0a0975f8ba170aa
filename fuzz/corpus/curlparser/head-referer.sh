/usr/bin/curl -I https://example.test/ -e 'https://ref.example.test/;auto' --oauth2-bearer tok --max-time 5 -o out.txt
