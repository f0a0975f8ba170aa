curl.exe --json '{"a":1}' --url https://api.example.test/json -sSLXPUT -H 'Authorization: Basic dXNlcjpwYXNz'
