curl -F name=alice -F 'avatar=@me.png' --form-string 'note=@literal' -u user:secret https://upload.example.test/files
