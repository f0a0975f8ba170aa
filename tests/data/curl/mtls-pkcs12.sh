curl --fail -sS https://payments.corp.example:8443/v1/balance \
  --cert-type P12 \
  --cert /etc/pki/client/ops.p12:'open sesame' \
  --cacert /etc/pki/corp-root.pem \
  -H 'Accept: application/json'
