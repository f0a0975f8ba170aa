curl -G https://api.example.test/search --data-urlencode 'q=hello world' -d limit=5 -b 'session=1; theme=dark' -A 'Tester/1.0'
