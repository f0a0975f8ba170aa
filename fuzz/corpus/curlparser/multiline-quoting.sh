curl 'https://shop.example.test/search?q=a+b&page=2&sort' \
  -H "Authorization: Bearer abc.def" \
  -H $'X-Note: tab\there \xc3\xa9' \
  -H "X-Quoted: \"yes\" \$HOME" \
  --compressed
