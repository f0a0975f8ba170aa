curl -X POST https://api.example.test/v1/items -H 'Content-Type: application/json' -d '{"name":"widget","tags":["a","b"]}'
